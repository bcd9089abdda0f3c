#pragma once
// "清理失效": which file items of a category point at files that are gone. Only a path the file
// system answers "not found" for counts as gone; a drive that is not ready or a network share
// that does not answer keeps its items.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace velora::acquire {

enum class PathPresence { kPresent, kMissing, kUnknown };

struct FileItem {
  std::string code;
  std::string path;  // UTF-8, as the code holds it

  bool operator==(const FileItem&) const = default;
};

// The items whose code holds a file path, in the given order; web, key, text, system and
// function items and codes that decode to no path are never candidates.
std::vector<FileItem> FileItemsOf(const std::vector<std::string>& codes);

struct MissingCheck {
  std::vector<std::string> missing_codes;  // in the order the items came
  std::size_t unchecked = 0;               // items kept because their place did not answer
};

// Asks `probe` once per distinct path.
MissingCheck FindMissing(const std::vector<FileItem>& items,
                         const std::function<PathPresence(const std::string& path)>& probe);

}  // namespace velora::acquire
