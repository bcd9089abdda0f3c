#include "ui/menu_commands.h"

#include <array>
#include <string>
#include <utility>

#include "exec/item_kind.h"
#include "exec/names.h"
#include "exec/suffix_icon.h"

namespace velora::ui {
namespace {

using Entry = std::pair<std::string_view, MenuCommand>;

constexpr std::array kItemEntries{
    Entry{menu::kSearchClipboard, MenuCommand::kSearchClipboard},
    Entry{menu::kFetchIcon, MenuCommand::kFetchIcon},
    Entry{menu::kClearIcon, MenuCommand::kClearIcon},
    Entry{menu::kPictureToClipboard, MenuCommand::kPictureToClipboard},
    Entry{menu::kCopyFile, MenuCommand::kCopyFile},
    Entry{menu::kShellMenu, MenuCommand::kShellMenu},
    Entry{menu::kDelete, MenuCommand::kDelete},
};
constexpr std::array kAddEntries{
    Entry{menu::kAddGroup, MenuCommand::kAddGroup},
    Entry{menu::kAddShortcut, MenuCommand::kAddShortcut},
    Entry{menu::kAddBookmark, MenuCommand::kAddBookmark},
    Entry{menu::kAddText, MenuCommand::kAddText},
};
constexpr std::array kClearEntries{
    Entry{menu::kRemoveMissing, MenuCommand::kRemoveMissing},
    Entry{menu::kClearList, MenuCommand::kClearList},
};
constexpr std::array kGroupEntries{
    Entry{menu::kRenameGroup, MenuCommand::kRenameGroup},
    Entry{menu::kDeleteGroup, MenuCommand::kDeleteGroup},
};
constexpr std::array kTrayEntries{
    Entry{menu::kRestart, MenuCommand::kRestart},
    Entry{menu::kExit, MenuCommand::kExit},
};

template <std::size_t N>
std::vector<std::string_view> Captions(const std::array<Entry, N>& entries) {
  std::vector<std::string_view> captions;
  captions.reserve(N);
  for (const Entry& entry : entries) captions.push_back(entry.first);
  return captions;
}

template <std::size_t N>
MenuCommand Find(const std::array<Entry, N>& entries, std::string_view caption) {
  for (const Entry& entry : entries) {
    if (entry.first == caption) return entry.second;
  }
  return MenuCommand::kNone;
}

bool IsPictureFile(std::string_view code) {
  return exec::IsPictureExtension(exec::AsciiLower(exec::PathExtension(exec::FilePathOfCode(code))));
}

}  // namespace

MenuContents ItemMenu(std::string_view code) {
  const bool web = code.starts_with(exec::prefix::kWeb);
  const bool keys = code.starts_with(exec::prefix::kMacro);
  const bool file = exec::IsFileKind(exec::KindOfCode(code).kind);
  MenuContents contents{menu::kItemMenu, {}, 60};
  if (web) {
    contents.captions.insert(contents.captions.end(),
                             {menu::kSearchClipboard, menu::kFetchIcon, menu::kClearIcon});
  }
  if (file && IsPictureFile(code)) {
    contents.captions.insert(contents.captions.end(), {menu::kPictureToClipboard, menu::kCopyFile});
  }
  if (!web && !keys) contents.captions.push_back(menu::kShellMenu);
  contents.captions.push_back(menu::kDelete);
  return contents;
}

MenuContents AddMenu() { return {menu::kAddMenu, Captions(kAddEntries), 70}; }
MenuContents ClearMenu() { return {menu::kClearMenu, Captions(kClearEntries), 60}; }
MenuContents GroupMenu() { return {menu::kGroupMenu, Captions(kGroupEntries), 60}; }
MenuContents TrayMenu() { return {menu::kTrayMenu, Captions(kTrayEntries), 60}; }

MenuCommand DispatchMenu(std::string_view title, std::string_view caption) {
  if (title == menu::kItemMenu) return Find(kItemEntries, caption);
  if (title == menu::kAddMenu) return Find(kAddEntries, caption);
  if (title == menu::kClearMenu) return Find(kClearEntries, caption);
  if (title == menu::kGroupMenu) return Find(kGroupEntries, caption);
  if (title == menu::kTrayMenu) return Find(kTrayEntries, caption);
  return MenuCommand::kNone;
}

}  // namespace velora::ui
