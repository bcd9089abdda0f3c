#pragma once
// The window's words for what the user's actions did, and for a store that cannot be used.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/toast_kind.h"
#include "settings/autostart.h"
#include "store/groups.h"
#include "store/open_store.h"

namespace velora::ui {

inline constexpr std::string_view ToastKindText(core::ToastKind kind) {
  return kind == core::ToastKind::kDone ? "完成" : "失败";
}

inline constexpr std::string_view kCreateGroupFailed = "创建分组失败";
inline constexpr std::string_view kRenameGroupFailed = "修改名称失败";
inline constexpr std::string_view kFixedGroupUndeletable = "初始分组框无法删除";
inline constexpr std::string_view kGroupDeleted = "删除分组完成";
inline constexpr std::string_view kDeleteGroupFailed = "删除分组失败";

inline constexpr std::string_view kAutostartOn = "开机启动设置成功";
inline constexpr std::string_view kAutostartOnFailed = "开机启动设置失败";
inline constexpr std::string_view kAutostartOff = "开机启动取消完成";
inline constexpr std::string_view kAutostartOffFailed = "开机启动取消失败";

// The item and clear menus.
inline constexpr std::string_view kBuiltinItemUndeletable = "初始图标无法删除";
inline constexpr std::string_view kFetchIconFailed = "获取图标失败";
inline constexpr std::string_view kPictureCopied = "置剪贴板完成";
inline constexpr std::string_view kPictureCopyFailed = "置剪贴板失败";
inline constexpr std::string_view kFileCopied = "复制文件完成";
inline constexpr std::string_view kFileCopyFailed = "复制文件失败";
inline constexpr std::string_view kNoShellMenu = "无法显示此项目的菜单";
inline constexpr std::string_view kClipboardHasNoText = "剪贴板中没有文本";
inline constexpr std::string_view kListCleared = "清空列表完成";
inline constexpr std::string_view kMissingCheckBusy = "正在清理失效,请等待...";
inline constexpr std::string_view kStoreRefused = "操作失败，无法写入数据库";

// A text snippet put on the clipboard while the panel is held.
inline constexpr std::string_view kSnippetCopied = "置剪贴板文本";

struct Toast {
  core::ToastKind kind;
  std::string_view text;

  bool operator==(const Toast&) const = default;
};

// A group created or renamed shows in the bar and needs no toast.
std::optional<Toast> GroupToast(store::GroupOutcome outcome);
// Every switch of "选择框_开机启动" is answered.
Toast AutostartToast(settings::AutostartOutcome outcome);

// How "清理失效" ended: how many items it removed, and how many it kept because their drive or
// share did not answer.
std::string MissingItemsText(std::size_t removed, std::size_t unchecked);

// What the user is told when the item store opened with a problem (empty for kOpened): what
// happened, the file's path, and what it means for them.
std::string StoreProblemText(store::OpenOutcome outcome, std::string_view path);

}  // namespace velora::ui
