#pragma once
// The statements on category tables: list, read, add, icon, launch stamp, delete.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"

namespace velora::store {

// One row of a category table. A column left empty (nullopt) is not written by AddItem and
// reads back as NULL.
struct ItemRow {
  std::string code;
  std::optional<std::string> path;
  std::optional<std::string> name;
  std::optional<std::string> suffix;
  std::optional<std::string> icon;
  std::optional<std::string> date;

  bool operator==(const ItemRow&) const = default;
};

// Codes newest first ("ORDER BY 日期 DESC"); empty for a missing table.
std::vector<std::string> ListCodes(Database& db, std::string_view table);
// Whole rows in the same order, for a refresh that reads the table once.
std::vector<ItemRow> ListItems(Database& db, std::string_view table);
// One page of a category in the same order: how many items the category holds and the whole
// rows of `count` entries from `first` on. Only that slice is read into memory, so a refresh
// costs the same for a category of ten items as for one of a hundred thousand.
struct ItemPage {
  std::size_t total = 0;
  std::vector<ItemRow> rows;
};
ItemPage ListItemPage(Database& db, std::string_view table, std::size_t first, std::size_t count);
std::optional<ItemRow> ReadItem(Database& db, std::string_view table, std::string_view code);

// Insert of the code, then one update per given column, inside the savepoint: in a keyed table
// a second add refreshes the row; in a keyless one it adds a second row. True when every
// update ran.
bool AddItem(Database& db, std::string_view table, const ItemRow& row);
bool SetIcon(Database& db, std::string_view table, std::string_view code, std::string_view icon);
bool ClearIcon(Database& db, std::string_view table, std::string_view code);
bool RecordLaunch(Database& db, std::string_view table, std::string_view code, std::string_view now);
// Removes every row with the code.
bool DeleteItem(Database& db, std::string_view table, std::string_view code);
// Removes the items of every code inside one savepoint; how many deletes ran.
std::size_t DeleteItems(Database& db, std::string_view table, const std::vector<std::string>& codes);
// Removes every item whose code does not begin with `kept_prefix` (rows without a code too);
// how many it removed, nothing when the store refused.
std::optional<std::size_t> ClearItems(Database& db, std::string_view table, std::string_view kept_prefix);

}  // namespace velora::store
