#pragma once
// Firefox's bookmarks, in the profile's "places.sqlite": moz_bookmarks (type 1 a bookmark, 2 a
// folder; parent and position give the tree) joined to moz_places for the address.
#include <filesystem>
#include <optional>
#include <vector>

#include "store/database.h"
#include "transfer/bookmark_import.h"
#include "transfer/outcome.h"

namespace velora::transfer {

// The bookmarks of an open places database: the tree from its root, folders in position order
// (menu, toolbar, other, mobile), each folder's entries before the next entry around it. The tags
// folder is passed over: its entries repeat bookmarks found elsewhere. Nothing when the file is
// no places database.
std::optional<std::vector<Bookmark>> ReadFirefoxBookmarks(store::Database& places);

// A running Firefox holds its file locked, so it is read from a copy (with its write-ahead log)
// made in `scratch_folder`, or beside the file when that is empty, and removed after. Adds the
// bookmarks as AddBookmarks does.
TransferResult ImportFirefoxBookmarks(store::Database& db, const std::filesystem::path& places_file,
                                      const std::filesystem::path& scratch_folder,
                                      const BookmarkOptions& options);

}  // namespace velora::transfer
