#include "store/order_index.h"

#include <string>
#include <vector>

#include "store/schema.h"

namespace velora::store {
namespace {

// Marks our indexes in the schema. A group name cannot hold a control character, so no group the
// program creates can ever take an index's name.
constexpr std::string_view kMarker = "\x1F日期";

bool HasDateColumn(Database& db, std::string_view table) {
  Statement q = db.Query("select count(*) from pragma_table_info(?1) where name=?2");
  q.Bind(1, table).Bind(2, column::kDate);
  return q.Step() && q.ColumnInt(0) != 0;
}

bool HasOrderIndex(Database& db, std::string_view table) {
  Statement q =
      db.Query("select count(*) from sqlite_master where type='index' and tbl_name=?1 and instr(name,?2)>0");
  q.Bind(1, table).Bind(2, kMarker);
  return q.Step() && q.ColumnInt(0) != 0;
}

// Schema names compare without letter case, and a renamed table keeps its index under the old
// name, so a new table of that name must look further.
bool NameTaken(Database& db, std::string_view name) {
  Statement q = db.Query("select count(*) from sqlite_master where name=?1 collate nocase");
  q.Bind(1, name);
  return !q.Step() || q.ColumnInt(0) != 0;
}

}  // namespace

bool EnsureOrderIndex(Database& db, std::string_view table) {
  if (!HasDateColumn(db, table)) return false;
  if (HasOrderIndex(db, table)) return true;
  constexpr int kAttempts = 100;
  for (int n = 1; n <= kAttempts; ++n) {
    std::string name = std::string(table) + std::string(kMarker) + (n > 1 ? std::to_string(n) : "");
    if (NameTaken(db, name)) continue;
    return db.Execute("create index " + QuoteIdentifier(name) + " on " + QuoteIdentifier(table) + " (" +
                      QuoteIdentifier(column::kDate) + " DESC)");
  }
  return false;
}

void EnsureOrderIndexes(Database& db) {
  std::vector<std::string> tables;
  {
    Statement list = db.ListTables();
    while (list.Step()) tables.push_back(list.ColumnText(0));
  }
  SavepointScope write(db, kSavepoint);
  for (const std::string& table : tables) (void)EnsureOrderIndex(db, table);
}

}  // namespace velora::store
