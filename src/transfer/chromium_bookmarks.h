#pragma once
// The "Bookmarks" file of Chrome, Edge and the other browsers built on Chromium: JSON with the
// roots "bookmark_bar", "other" and "synced", folders nested in "children", entries of type "url".
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "transfer/bookmark_import.h"
#include "transfer/outcome.h"

namespace velora::transfer {

// Every entry of type "url", the three roots in that order, each folder's entries in its order
// before the next entry of the folder around it. Nodes of an unexpected shape are passed over;
// a text that is no such file is refused (kNotBookmarks, or the refusals of json_guard.h).
std::optional<std::vector<Bookmark>> ParseChromiumBookmarks(std::string_view json, Refusal& refusal);

// Reads the file (the browser does not lock it) and adds its bookmarks (AddBookmarks).
TransferResult ImportChromiumBookmarks(store::Database& db, const std::filesystem::path& file,
                                       const BookmarkOptions& options);

}  // namespace velora::transfer
