#pragma once
// The store side of a copy: whole rows read in list order, and the tables rows are written to.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "store/database.h"
#include "transfer/catalogue.h"

namespace velora::transfer {

// The categories of the bar whose tables exist, each with its rows in list order, all read from
// one state of the store.
std::vector<CatalogueCategory> ReadCategories(store::Database& db);

// How many rows the categories hold.
std::size_t CountRows(const std::vector<CatalogueCategory>& categories);

// The existing table SQLite takes `name` for (it ignores the letter case of ASCII), in its own
// spelling.
std::optional<std::string> FindTable(store::Database& db, std::string_view name);

// The table a category's rows go to: the existing one, else a new one, a fixed category in the
// shape the template gives it and a group as CreateGroup makes it. Nothing when it cannot be had.
std::optional<std::string> TableForCategory(store::Database& db, std::string_view name);

// A table with a key holds each code once, and a NULL code not at all.
bool IsKeyed(store::Database& db, std::string_view table);

std::unordered_set<std::string> CodesOf(store::Database& db, std::string_view table);

// Inserts rows with every column into one table, the statement prepared once.
class RowInserter {
 public:
  RowInserter(store::Database& db, std::string_view table);
  // False when the store refused the row.
  bool Insert(const CatalogueRow& row);

 private:
  store::Statement insert_;
};

}  // namespace velora::transfer
