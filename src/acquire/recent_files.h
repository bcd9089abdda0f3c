#pragma once
// The recent list: what the shell's Recent folder of shortcuts becomes on the panel. Which files
// are shown and in what order, and what each row says; reading the folder is Win32.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/date.h"

namespace velora::acquire {

// A Recent folder holds hundreds or thousands of shortcuts; the list shows the newest.
inline constexpr std::size_t kRecentRowLimit = 50;
// 扩展名 of a name that has none: shortcuts to folders mostly.
inline constexpr std::string_view kNoExtension = "文件夹";

// A file found in the Recent folder.
struct RecentFile {
  std::string path;          // full path, UTF-8
  std::int64_t written = 0;  // last-write time in whole seconds; larger is newer
};

// The first kRecentRowLimit of `files`, newest first; files written in the same second keep the
// order in which they were found.
std::vector<RecentFile> NewestRecentFiles(std::vector<RecentFile> files);

struct RecentName {
  std::string name;       // 文件名
  std::string extension;  // 扩展名, dot included, or kNoExtension
  bool operator==(const RecentName&) const = default;
};

// The shortcut's file name without ".lnk" (its last four UTF-16 characters, whatever they are),
// split into name and extension. An extension starts at the last dot, has something after the
// dot and no blank in it; a name that only starts with a dot has none.
RecentName RecentNameOf(std::string_view file_name);

// 修改日期: "yyyy-MM-dd HH:mm:ss"; under a 12-hour clock setting the hours run 01 to 12, with no
// morning or afternoon marker.
std::string RecentTimeText(const text::LocalTime& time, bool twenty_four_hour);

// One row of the list.
struct RecentRow {
  std::string path;       // the file in the Recent folder (the hidden first column)
  std::string name;       // 文件名
  std::string extension;  // 扩展名
  std::string modified;   // 修改日期
  std::string target;     // what the shortcut points at, for the hover tip; empty for none
};

}  // namespace velora::acquire
