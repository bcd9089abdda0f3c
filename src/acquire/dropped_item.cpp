#include "acquire/dropped_item.h"

#include "exec/item_kind.h"
#include "exec/names.h"
#include "exec/suffix_icon.h"

namespace velora::acquire {
namespace {

constexpr std::string_view kX86 = " (x86)";

std::string_view FileNamePart(std::string_view path) {
  std::size_t end = path.size();
  while (end > 0 && (path[end - 1] == '\\' || path[end - 1] == '/')) --end;
  const std::string_view trimmed = path.substr(0, end);
  const std::size_t separator = trimmed.find_last_of("\\/");
  const std::string_view name = separator == std::string_view::npos ? trimmed : trimmed.substr(separator + 1);
  return name.ends_with(':') ? std::string_view{} : name;  // a drive has no name of its own
}

// A name that is all extension (".gitignore") keeps it: an empty caption would name nothing.
std::string WithoutExtension(std::string_view name) {
  const std::string_view extension = exec::PathExtension(name);
  return std::string(extension.size() < name.size() ? name.substr(0, name.size() - extension.size()) : name);
}

DroppedItem Folder(const std::string& path, std::string name) {
  return {path, std::string(exec::suffix::kFolder), std::move(name), IconSource::kNone};
}

DroppedItem File(const std::string& path, std::string name) {
  const std::string extension = exec::AsciiLower(exec::PathExtension(path));
  IconSource icon = IconSource::kNone;
  if (extension == exec::suffix::kProgram) {
    icon = IconSource::kProgramIcon;  // also APP.EXE: the grid looks for its icon by 后缀 ".exe"
  } else if (exec::IsPictureExtension(extension)) {
    icon = IconSource::kThumbnail;
  }
  return {path, extension, std::move(name), icon};
}

DroppedItem Shortcut(const std::string& path, PathFacts& facts) {
  // The shortcut's own name is what the user gave the thing: 编辑器.lnk is 编辑器.
  const std::string_view file_name = FileNamePart(path);
  const std::string own = std::string(file_name.substr(0, file_name.size() - exec::kShortcutEnding.size()));
  const auto named = [&own](std::string_view target, bool folder) {
    return own.empty() ? DisplayName(target, folder) : own;
  };

  const std::optional<exec::ShortcutTarget> link = facts.ResolveShortcut(path);
  if (!link || link->target.empty()) return File(path, named(path, false));
  if (facts.IsFolder(link->target)) return Folder(link->target, named(link->target, true));
  // The arguments stay in the shortcut, which is what a launch opens; 路径 names the target.
  const std::string target = WithoutX86(link->target, facts);
  return File(target, named(target, false));
}

}  // namespace

std::string DisplayName(std::string_view path, bool folder) {
  const std::string_view name = FileNamePart(path);
  if (name.empty()) return std::string(path);
  return folder ? std::string(name) : WithoutExtension(name);
}

std::string WithoutX86(const std::string& target, PathFacts& facts) {
  std::string stripped;
  for (std::size_t i = 0; i < target.size();) {
    if (exec::AsciiLower(std::string_view(target).substr(i, kX86.size())) == kX86) {
      i += kX86.size();
    } else {
      stripped += target[i++];
    }
  }
  return stripped != target && facts.IsFile(stripped) ? stripped : target;
}

DroppedItem ClassifyDropped(const std::string& path, PathFacts& facts) {
  if (facts.IsFolder(path)) return Folder(path, DisplayName(path, true));
  if (path.ends_with(exec::kShortcutEnding)) return Shortcut(path, facts);
  return File(path, DisplayName(path, false));
}

}  // namespace velora::acquire
