#pragma once
// The statements on category tables: list, read, add, icon, launch stamp, delete.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// Codes newest first, equal dates in the order they were added; empty for a missing table.
std::vector<std::string> ListCodes(Database& db, std::string_view table);
// Each item's code and name (empty for NULL) in the same order, without the icons' bytes.
std::vector<std::pair<std::string, std::string>> ListCodesAndNames(Database& db, std::string_view table);
// Whole rows in the same order, for a refresh that reads the table once.
std::vector<ItemRow> ListItems(Database& db, std::string_view table);
// One page of a category in the same order: how many items the category holds and the whole
// rows of `count` entries from `first` on. The slice is read through the category's order index
// (store/order_index.h), so a refresh costs the same for ten items as for a hundred thousand.
struct ItemPage {
  std::size_t total = 0;
  std::vector<ItemRow> rows;
};
ItemPage ListItemPage(Database& db, std::string_view table, std::size_t first, std::size_t count);

// Reads pages as ListItemPage does, and keeps the size of the category it read last for as long
// as the store's content stays the same: counting walks the whole index, so turning the pages of
// a large category must not count it again each time. Size and rows come from one read.
class PageReader {
 public:
  ItemPage Read(Database& db, std::string_view table, std::size_t first, std::size_t count);
  // How often it has counted a category, for tests.
  std::size_t counts() const { return counts_; }

 private:
  std::string table_;
  ContentVersion version_;
  std::size_t total_ = 0;
  bool known_ = false;
  std::size_t counts_ = 0;
};

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
// Empties a category but for its system places (codes that begin with "系统"), which keep their
// order: one write however many items go, where a delete per row would commit thousands of times.
// Nothing changes when it fails.
bool ClearItems(Database& db, std::string_view table);

}  // namespace velora::store
