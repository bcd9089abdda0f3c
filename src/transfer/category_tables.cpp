#include "transfer/category_tables.h"

#include "store/groups.h"
#include "store/order_index.h"
#include "store/schema.h"
#include "store/table_builder.h"

namespace velora::transfer {
namespace {

// Holds the reads of every table to one state of the store.
constexpr std::string_view kReadSavepoint = "导出";

constexpr std::string_view kAllColumns = "code,路径,名称,位置,类别,后缀,图标,日期";

std::optional<std::string> OptionalText(const store::Statement& q, int column) {
  if (q.ColumnIsNull(column)) return std::nullopt;
  return q.ColumnText(column);
}

void Bind(store::Statement& q, int index, const std::optional<std::string>& value) {
  if (value) q.Bind(index, *value);  // a parameter left unbound is NULL
}

// The six keyed fixed tables as the template declares them; "搜索" is created as groups are.
bool CreateKeyedCategory(store::Database& db, std::string_view name) {
  std::vector<store::FieldDescription> fields = store::ParseFieldList(store::kItemFieldList);
  for (store::FieldDescription& field : fields) {
    if (field.name == store::column::kCode) field.attributes = store::kNotNull;
  }
  return store::CreateTable(db, name, fields, {}, store::column::kCode);
}

}  // namespace

std::vector<CatalogueCategory> ReadCategories(store::Database& db) {
  std::vector<CatalogueCategory> categories;
  store::SavepointScope read(db, kReadSavepoint);
  for (std::string& name : store::BuildCategoryList(db)) {
    if (!db.TableExists(name)) continue;
    CatalogueCategory category{std::move(name), {}};
    store::Statement q = db.Query("select " + std::string(kAllColumns) + " from " +
                                  store::QuoteIdentifier(category.name) + std::string(store::kListOrder));
    while (q.Step()) {
      category.rows.push_back({OptionalText(q, 0), OptionalText(q, 1), OptionalText(q, 2), OptionalText(q, 3),
                               OptionalText(q, 4), OptionalText(q, 5), OptionalText(q, 6),
                               OptionalText(q, 7)});
    }
    categories.push_back(std::move(category));
  }
  return categories;
}

std::size_t CountRows(const std::vector<CatalogueCategory>& categories) {
  std::size_t rows = 0;
  for (const CatalogueCategory& category : categories) rows += category.rows.size();
  return rows;
}

std::optional<std::string> FindTable(store::Database& db, std::string_view name) {
  store::Statement q =
      db.Query("select name from sqlite_master where type='table' and name=?1 collate nocase");
  q.Bind(1, name);
  if (!q.Step()) return std::nullopt;
  return q.ColumnText(0);
}

std::optional<std::string> TableForCategory(store::Database& db, std::string_view name) {
  if (std::optional<std::string> existing = FindTable(db, name)) return existing;
  const bool keyed = store::IsFixedCategory(name) && name != store::kSearchCategory;
  if (keyed) {
    if (!CreateKeyedCategory(db, name)) return std::nullopt;
    (void)store::EnsureOrderIndex(db, name);  // without it the category still lists, only slower
  } else if (store::CreateGroup(db, name) != store::GroupOutcome::kCreated) {
    return std::nullopt;
  }
  return std::string(name);
}

bool IsKeyed(store::Database& db, std::string_view table) {
  store::Statement q = db.Query("select count(*) from pragma_table_info(?1) where pk>0");
  q.Bind(1, table);
  return q.Step() && q.ColumnInt(0) != 0;
}

std::unordered_set<std::string> CodesOf(store::Database& db, std::string_view table) {
  std::unordered_set<std::string> codes;
  store::Statement q =
      db.Query("select code from " + store::QuoteIdentifier(table) + " where code is not null");
  while (q.Step()) codes.insert(q.ColumnText(0));
  return codes;
}

RowInserter::RowInserter(store::Database& db, std::string_view table)
    : insert_(db.Query("insert into " + store::QuoteIdentifier(table) + " (" + std::string(kAllColumns) +
                       ") values (?1,?2,?3,?4,?5,?6,?7,?8)")) {}

bool RowInserter::Insert(const CatalogueRow& row) {
  insert_.Reset();
  Bind(insert_, 1, row.code);
  Bind(insert_, 2, row.path);
  Bind(insert_, 3, row.name);
  Bind(insert_, 4, row.position);
  Bind(insert_, 5, row.classification);
  Bind(insert_, 6, row.suffix);
  Bind(insert_, 7, row.icon);
  Bind(insert_, 8, row.date);
  return insert_.Run();
}

}  // namespace velora::transfer
