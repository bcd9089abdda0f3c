#pragma once
// What a dropped path becomes: its 路径, 后缀, 名称 and where 图标 comes from. The file system and
// the shell-link reader are behind a port, so the rules are plain logic.
#include <optional>
#include <string>
#include <string_view>

#include "exec/launch.h"

namespace velora::acquire {

class PathFacts {
 public:
  virtual ~PathFacts() = default;
  virtual bool IsFolder(const std::string& path) = 0;
  // An existing file that is not a folder.
  virtual bool IsFile(const std::string& path) = 0;
  // The target and arguments of a .lnk file; nothing when it cannot be read.
  virtual std::optional<exec::ShortcutTarget> ResolveShortcut(const std::string& path) = 0;
};

enum class IconSource {
  kNone,         // 图标 stays empty; the grid shows the image of 后缀
  kProgramIcon,  // 图标 is the icon key of 路径, whose first icon goes into the icon cache
  kThumbnail,    // 图标 is the hex text of the picture's thumbnail, made from 路径
};

struct DroppedItem {
  std::string path;    // 路径
  std::string suffix;  // 后缀
  std::string name;    // 名称
  IconSource icon = IconSource::kNone;

  bool operator==(const DroppedItem&) const = default;
};

// Tested in this order: a folder (whatever its name ends in), a shortcut (".lnk", exact case),
// then a file by its lower-cased extension: a program (".exe"), a picture, any other file. A
// shortcut stands for its target: a folder, or a file classified as above; one whose target
// cannot be read keeps its own path.
DroppedItem ClassifyDropped(const std::string& path, PathFacts& facts);

// 名称 of a path: its file name, without the extension unless it is a folder; a drive root
// such as C:\, which has no file name, is named by the whole path.
std::string DisplayName(std::string_view path, bool folder);

// A program in "Program Files (x86)" named through a shortcut is often a redirected 64-bit
// install: the path with every " (x86)" removed (any letter case) when that names a file.
std::string WithoutX86(const std::string& target, PathFacts& facts);

}  // namespace velora::acquire
