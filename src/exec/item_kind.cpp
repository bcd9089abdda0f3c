#include "exec/item_kind.h"

#include <algorithm>

#include "exec/names.h"
#include "text/path_code.h"

namespace velora::exec {
namespace {

Place PlaceOfName(std::string_view name) {
  // The order in which the shell locations are tested.
  if (name == place::kThisPc) return Place::kThisPc;
  if (name == place::kRecycleBin) return Place::kRecycleBin;
  if (name == place::kControlPanel) return Place::kControlPanel;
  if (name == place::kDesktop) return Place::kDesktop;
  return Place::kUnknown;
}

ClassifiedCode FileItem(std::string_view code) {
  std::string path = FilePathOfCode(code);
  if (path.empty()) return {ItemKind::kEmptyPath, {}, Place::kUnknown};
  ItemKind kind = ItemKind::kPlainFile;
  if (path.ends_with(kShortcutEnding)) {
    kind = ItemKind::kShortcut;
  } else if (IsPictureExtension(PathExtension(path))) {
    kind = ItemKind::kPicture;
  }
  return {kind, std::move(path), Place::kUnknown};
}

}  // namespace

ClassifiedCode KindOfCode(std::string_view code) {
  if (code.starts_with(prefix::kWeb)) {
    std::string address(code.substr(prefix::kWeb.size()));
    const bool search = address.find(kKeywordPlaceholder) != std::string::npos;
    return {search ? ItemKind::kSearch : ItemKind::kBookmark, std::move(address), Place::kUnknown};
  }
  if (code.starts_with(prefix::kSystem)) {
    const std::string_view name = code.substr(prefix::kSystem.size());
    return {ItemKind::kSystemPlace, std::string(name), PlaceOfName(name)};
  }
  if (code.starts_with(prefix::kMacro)) {
    return {ItemKind::kMacro, std::string(code.substr(prefix::kMacro.size())), Place::kUnknown};
  }
  if (code.starts_with(prefix::kFunction)) return {ItemKind::kFunction, std::string(code), Place::kUnknown};
  if (code.starts_with(prefix::kText)) {
    return {ItemKind::kTextSnippet, std::string(code.substr(prefix::kText.size())), Place::kUnknown};
  }
  return FileItem(code);
}

bool IsFileKind(ItemKind kind) {
  return kind == ItemKind::kShortcut || kind == ItemKind::kPicture || kind == ItemKind::kPlainFile;
}

std::string FilePathOfCode(std::string_view code) { return text::PathFromCode(code); }

std::string_view PathExtension(std::string_view path) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == '\\' || c == '/' || c == ' ') {
      dot = std::string_view::npos;
    } else if (c == '.') {
      dot = i;
    }
  }
  return dot == std::string_view::npos ? std::string_view{} : path.substr(dot);
}

bool IsPictureExtension(std::string_view extension) {
  return std::find(kPictureExtensions.begin(), kPictureExtensions.end(), extension) !=
         kPictureExtensions.end();
}

}  // namespace velora::exec
