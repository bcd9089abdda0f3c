#pragma once
// The index a category is listed through: 日期 newest first and, for equal dates, the order the
// rows were added in. With it a page is read straight from the index, so its cost does not grow
// with the category, where a plain sort would read and order every row on each refresh.
#include <string_view>

#include "store/database.h"

namespace velora::store {

// The list order of every read of a category. The row id settles equal dates (also all empty and
// all NULL ones) as rows were added; it is the key the index keeps behind 日期, so no sort runs.
inline constexpr std::string_view kListOrder = " ORDER BY 日期 DESC, rowid";
// The same order from its end (NULL sorts lowest, so undated rows come first), the index read
// backwards.
inline constexpr std::string_view kReverseListOrder = " ORDER BY 日期 ASC, rowid DESC";

// Creates the table's index unless it has one (a renamed table keeps the index it had). True
// when the table has it afterwards; a table without 日期 gets none. No row is rewritten.
bool EnsureOrderIndex(Database& db, std::string_view table);

// Every table of the store, in one write; an older store gets its indexes at its first open.
void EnsureOrderIndexes(Database& db);

}  // namespace velora::store
