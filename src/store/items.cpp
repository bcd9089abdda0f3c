#include "store/items.h"

#include <algorithm>

#include "store/order_index.h"
#include "store/schema.h"

namespace velora::store {
namespace {

std::optional<std::string> OptionalText(const Statement& q, int column) {
  if (q.ColumnIsNull(column)) return std::nullopt;
  return q.ColumnText(column);
}

ItemRow RowOf(const Statement& q) {
  return {q.ColumnText(0),    OptionalText(q, 1), OptionalText(q, 2),
          OptionalText(q, 3), OptionalText(q, 4), OptionalText(q, 5)};
}

// The code prefix of the system places, which clearing a category keeps.
constexpr std::string_view kSystemPrefix = "系统";
// Where clearing keeps them meanwhile.
constexpr std::string_view kKeptRows = "清空时保留";

// Holds a page's rows and its category's size to one state of the store.
constexpr std::string_view kReadSavepoint = "读取";

constexpr std::string_view kRowColumns = "select code,路径,名称,后缀,图标,日期 from ";

bool UpdateColumn(Database& db, std::string_view table, std::string_view column, std::string_view code,
                  std::string_view value) {
  Statement q =
      db.Query("update " + QuoteIdentifier(table) + " set " + QuoteIdentifier(column) + "=?1 where code=?2");
  q.Bind(1, value).Bind(2, code);
  return q.Run();
}

}  // namespace

std::vector<std::string> ListCodes(Database& db, std::string_view table) {
  std::vector<std::string> codes;
  Statement q = db.Query("select code from " + QuoteIdentifier(table) + std::string(kListOrder));
  while (q.Step()) codes.push_back(q.ColumnText(0));
  return codes;
}

std::vector<std::pair<std::string, std::string>> ListCodesAndNames(Database& db, std::string_view table) {
  std::vector<std::pair<std::string, std::string>> items;
  Statement q = db.Query("select code,名称 from " + QuoteIdentifier(table) + std::string(kListOrder));
  while (q.Step()) items.emplace_back(q.ColumnText(0), q.ColumnText(1));
  return items;
}

std::vector<ItemRow> ListItems(Database& db, std::string_view table) {
  std::vector<ItemRow> rows;
  Statement q = db.Query(std::string(kRowColumns) + QuoteIdentifier(table) + std::string(kListOrder));
  while (q.Step()) rows.push_back(RowOf(q));
  return rows;
}

ItemPage ListItemPage(Database& db, std::string_view table, std::size_t first, std::size_t count) {
  return PageReader().Read(db, table, first, count);
}

ItemPage PageReader::Read(Database& db, std::string_view table, std::size_t first, std::size_t count) {
  ItemPage page;
  const std::string quoted = QuoteIdentifier(table);
  SavepointScope read(db, kReadSavepoint);
  // Begins the read, so the version below has seen any other program's commit.
  Statement begin = db.Query("select 1 from " + quoted + " limit 1");
  if (!begin.Valid()) return page;
  (void)begin.Step();
  const ContentVersion version = db.Version();
  if (!known_ || table_ != table || !(version_ == version)) {
    Statement total = db.Query("select count(*) from " + quoted);
    ++counts_;
    known_ = total.Step();
    total_ = known_ ? static_cast<std::size_t>(total.ColumnInt(0)) : 0;
    table_ = table;
    version_ = version;
  }
  page.total = total_;
  if (first >= total_ || count == 0) return page;

  // The index hands the rows over in list order and the offset skips index entries only; a page
  // in the back half is read from the end, so the last page costs what the first one does.
  const std::size_t taken = std::min(count, total_ - first);
  const bool from_end = first > total_ / 2;
  Statement rows = db.Query(std::string(kRowColumns) + quoted +
                            std::string(from_end ? kReverseListOrder : kListOrder) + " limit ?1 offset ?2");
  rows.BindInteger(1, static_cast<long long>(taken))
      .BindInteger(2, static_cast<long long>(from_end ? total_ - first - taken : first));
  while (rows.Step()) page.rows.push_back(RowOf(rows));
  if (from_end) std::reverse(page.rows.begin(), page.rows.end());
  return page;
}

std::optional<ItemRow> ReadItem(Database& db, std::string_view table, std::string_view code) {
  Statement q = db.Query(std::string(kRowColumns) + QuoteIdentifier(table) + " where code=?1");
  q.Bind(1, code);
  if (!q.Step()) return std::nullopt;
  return RowOf(q);
}

bool AddItem(Database& db, std::string_view table, const ItemRow& row) {
  SavepointScope savepoint(db, kSavepoint);
  Statement insert = db.Query("insert into " + QuoteIdentifier(table) + " (code) values (?1)");
  insert.Bind(1, row.code);
  const bool inserted = insert.Run();  // fails in a keyed table that has the code: refresh it
  if (!inserted && !db.TableExists(table)) return false;
  bool ok = true;
  const std::pair<std::string_view, const std::optional<std::string>*> columns[] = {
      {column::kPath, &row.path},
      {column::kName, &row.name},
      {column::kSuffix, &row.suffix},
      {column::kIcon, &row.icon},
      {column::kDate, &row.date}};
  for (const auto& [name, value] : columns) {
    if (*value) ok = UpdateColumn(db, table, name, row.code, **value) && ok;
  }
  return ok;
}

bool SetIcon(Database& db, std::string_view table, std::string_view code, std::string_view icon) {
  return UpdateColumn(db, table, column::kIcon, code, icon);
}

bool ClearIcon(Database& db, std::string_view table, std::string_view code) {
  return UpdateColumn(db, table, column::kIcon, code, "");
}

bool RecordLaunch(Database& db, std::string_view table, std::string_view code, std::string_view now) {
  return UpdateColumn(db, table, column::kDate, code, now);
}

bool DeleteItem(Database& db, std::string_view table, std::string_view code) {
  Statement q = db.Query("delete from " + QuoteIdentifier(table) + " where code=?1");
  q.Bind(1, code);
  return q.Run();
}

std::size_t DeleteItems(Database& db, std::string_view table, const std::vector<std::string>& codes) {
  SavepointScope transaction(db, kSavepoint);
  std::size_t deleted = 0;
  for (const std::string& code : codes) deleted += DeleteItem(db, table, code) ? 1 : 0;
  return deleted;
}

bool ClearItems(Database& db, std::string_view table) {
  // Emptying the whole table lets SQLite free its pages instead of journalling every page a
  // row-by-row delete changes (over a second for 10,000 items under Wine), so the system places
  // are set aside and put back, in their order, in the same write.
  const std::string quoted = QuoteIdentifier(table);
  const std::string kept = "temp." + QuoteIdentifier(kKeptRows);
  SavepointScope write(db, kSavepoint);
  bool ok = db.Execute("drop table if exists " + kept);
  if (ok) {
    // A range of codes rather than a test of each: in a keyed category the key's index finds them.
    std::string past_prefix(kSystemPrefix);
    ++past_prefix.back();  // the prefix's last byte is a continuation byte, never 0xFF
    Statement keep = db.Query("create table " + kept + " as select * from " + quoted +
                              " where code>=?1 and code<?2 order by rowid");
    keep.Bind(1, kSystemPrefix).Bind(2, past_prefix);
    ok = keep.Run();
  }
  ok = ok && db.Execute("delete from " + quoted) &&
       db.Execute("insert into " + quoted + " select * from " + kept + " order by rowid");
  if (!ok) db.Rollback(kSavepoint);  // never lose the system places to a half-done clear
  (void)db.Execute("drop table if exists " + kept);
  return ok;
}

}  // namespace velora::store
