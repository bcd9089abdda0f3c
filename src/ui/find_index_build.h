#pragma once
// Reads every category and user group of the store into an index for finding by typing, with
// the user's launch counts folded into each item's rank.
#include <memory>

#include "find/find_index.h"
#include "store/database.h"
#include "store/launch_counts.h"

namespace velora::ui {

// Items by their caption and, for files, folders and shortcuts, by their path's file name.
std::unique_ptr<find::FindIndex> BuildFindIndex(store::Database& store, const store::LaunchCounts& counts,
                                                long long now_unix);

}  // namespace velora::ui
