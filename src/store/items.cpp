#include "store/items.h"

#include <algorithm>

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
  Statement q = db.Query("select code from " + QuoteIdentifier(table) + " ORDER BY 日期 DESC");
  while (q.Step()) codes.push_back(q.ColumnText(0));
  return codes;
}

std::vector<ItemRow> ListItems(Database& db, std::string_view table) {
  std::vector<ItemRow> rows;
  Statement q = db.Query(std::string(kRowColumns) + QuoteIdentifier(table) + " ORDER BY 日期 DESC");
  while (q.Step()) rows.push_back(RowOf(q));
  return rows;
}

ItemPage ListItemPage(Database& db, std::string_view table, std::size_t first, std::size_t count) {
  // The order is taken once over the row ids alone, which keeps the sort small; only the
  // slice's rows are then read whole, by id, in one statement.
  ItemPage page;
  const std::string quoted = QuoteIdentifier(table);
  std::vector<std::string> ids;
  Statement order = db.Query("select rowid from " + quoted + " ORDER BY 日期 DESC");
  while (order.Step()) {
    if (page.total >= first && page.total - first < count) ids.push_back(order.ColumnText(0));
    ++page.total;
  }
  if (ids.empty()) return page;

  std::string sql = "select code,路径,名称,后缀,图标,日期,rowid from " + quoted + " where rowid in (";
  for (std::size_t i = 0; i < ids.size(); ++i) sql += (i ? ",?" : "?") + std::to_string(i + 1);
  Statement rows = db.Query(sql + ")");
  for (std::size_t i = 0; i < ids.size(); ++i) rows.Bind(static_cast<int>(i + 1), ids[i]);
  std::vector<std::optional<ItemRow>> slots(ids.size());
  while (rows.Step()) {
    const auto at = std::find(ids.begin(), ids.end(), rows.ColumnText(6));
    if (at != ids.end()) slots[static_cast<std::size_t>(at - ids.begin())] = RowOf(rows);
  }
  // A row deleted in between is left out rather than shown as an empty item.
  for (auto& slot : slots) {
    if (slot) page.rows.push_back(std::move(*slot));
  }
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

std::optional<std::size_t> ClearItems(Database& db, std::string_view table, std::string_view kept_prefix) {
  const std::string quoted = QuoteIdentifier(table);
  // substr and length count characters, so a prefix in any script compares whole.
  const std::string kept = "substr(code,1,length(?1)) IS ?1";
  Statement count = db.Query("select count(*) from " + quoted + " where not (" + kept + ")");
  count.Bind(1, kept_prefix);
  const std::size_t removing = count.Step() ? static_cast<std::size_t>(count.ColumnInt(0)) : 0;
  count.Finalize();
  Statement clear = db.Query("delete from " + quoted + " where not (" + kept + ")");
  clear.Bind(1, kept_prefix);
  if (!clear.Run()) return std::nullopt;
  return removing;
}

}  // namespace velora::store
