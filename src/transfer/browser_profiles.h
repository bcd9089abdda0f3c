#pragma once
// Where the browsers people use keep their bookmarks, found from the Windows app-data folders
// (%LOCALAPPDATA% and %APPDATA%): a file per browser profile, for the user to choose from.
#include <filesystem>
#include <string>
#include <vector>

namespace velora::transfer {

enum class BookmarkFormat { kChromium, kFirefox };

struct BookmarkFile {
  std::string browser;  // as the user knows it
  std::string profile;  // the profile's folder name ("Default", "Profile 1", "abcd1234.default-release")
  std::filesystem::path file;
  BookmarkFormat format = BookmarkFormat::kChromium;

  bool operator==(const BookmarkFile&) const = default;
};

// Every profile of the known browsers that holds a bookmark file, browser by browser in a fixed
// order and each browser's profiles by name, "Default" first. Missing folders are passed over.
std::vector<BookmarkFile> FindBookmarkFiles(const std::filesystem::path& local_app_data,
                                            const std::filesystem::path& roaming_app_data);

}  // namespace velora::transfer
