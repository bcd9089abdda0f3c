#pragma once
// How often and how lately each item was launched, for ranking what the user finds by typing.
// Kept in a file of its own beside the store: a table in the store would show as a group, and a
// store read by an older program must hold only the tables it knows.
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "store/database.h"

namespace velora::store {

struct LaunchCount {
  long long count = 0;
  long long last_unix = 0;  // seconds since 1970 of the latest launch
};

// Keyed by category and code.
using LaunchCounts = std::map<std::pair<std::string, std::string>, LaunchCount, std::less<>>;

// Opens the file, creating it and its table when missing; false when it cannot be written.
[[nodiscard]] bool OpenLaunchCounts(Database& db, const std::string& path_utf8);
// One more launch of the item, at `now_unix`.
bool RecordLaunchCount(Database& db, std::string_view category, std::string_view code, long long now_unix);
// Every item's counts; empty for a file without the table.
LaunchCounts ReadLaunchCounts(Database& db);

}  // namespace velora::store
