#pragma once
// The panel's pop-up menus: each is told apart by its title, and one dispatcher turns the pair
// (title, caption) of a chosen entry into a command.
#include <string_view>
#include <vector>

namespace velora::ui {

struct MenuContents {
  std::string_view title;  // never shown
  std::vector<std::string_view> captions;
  int entry_width = 60;  // 96-DPI pixels
};

inline constexpr int kMenuEntryHeight = 24;

namespace menu {
// Titles.
inline constexpr std::string_view kItemMenu = "右键菜单";
inline constexpr std::string_view kAddMenu = "添加菜单";
inline constexpr std::string_view kClearMenu = "删除任务";
inline constexpr std::string_view kGroupMenu = "编辑分组";
inline constexpr std::string_view kTrayMenu = "退出程序";
// The item menu.
inline constexpr std::string_view kSearchClipboard = "搜剪辑板";
inline constexpr std::string_view kFetchIcon = "获取图标";
inline constexpr std::string_view kClearIcon = "清空图标";
inline constexpr std::string_view kPictureToClipboard = "置剪贴板";
inline constexpr std::string_view kCopyFile = "复制文件";
inline constexpr std::string_view kShellMenu = "菜单";
inline constexpr std::string_view kDelete = "删除";
// The add menu.
inline constexpr std::string_view kAddGroup = "添加分组";
inline constexpr std::string_view kAddShortcut = "添加快捷键";
inline constexpr std::string_view kAddBookmark = "添加书签";
inline constexpr std::string_view kAddText = "添加文本";
// The clear menu.
inline constexpr std::string_view kRemoveMissing = "清理失效";
inline constexpr std::string_view kClearList = "清空列表";
// The group menu.
inline constexpr std::string_view kRenameGroup = "编辑名称";
inline constexpr std::string_view kDeleteGroup = "删除分组";
// The tray menu.
inline constexpr std::string_view kRestart = "软件重启";
inline constexpr std::string_view kExit = "退出程序";
}  // namespace menu

// The item menu offers what the item's code allows: the web entries for a bookmark, the picture
// entries for a picture file (its extension in any letter case), the file manager's menu for
// everything but web and key items, and always "删除".
MenuContents ItemMenu(std::string_view code);
MenuContents AddMenu();
MenuContents ClearMenu();
MenuContents GroupMenu();
MenuContents TrayMenu();

enum class MenuCommand {
  kNone,
  kSearchClipboard,
  kFetchIcon,
  kClearIcon,
  kPictureToClipboard,
  kCopyFile,
  kShellMenu,
  kDelete,
  kAddGroup,
  kAddShortcut,
  kAddBookmark,
  kAddText,
  kRemoveMissing,
  kClearList,
  kRenameGroup,
  kDeleteGroup,
  kRestart,
  kExit,
};

// Any pair no menu offers does nothing.
MenuCommand DispatchMenu(std::string_view title, std::string_view caption);

}  // namespace velora::ui
