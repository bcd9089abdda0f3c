#include "ui/toast_texts.h"

namespace velora::ui {

std::optional<Toast> GroupToast(store::GroupOutcome outcome) {
  using core::ToastKind;
  using store::GroupOutcome;
  switch (outcome) {
    case GroupOutcome::kCreated:
    case GroupOutcome::kRenamed:
      return std::nullopt;
    case GroupOutcome::kCreateFailed:
      return Toast{ToastKind::kFailed, kCreateGroupFailed};
    case GroupOutcome::kRenameFailed:
      return Toast{ToastKind::kFailed, kRenameGroupFailed};
    case GroupOutcome::kFixedGroupUndeletable:
      return Toast{ToastKind::kFailed, kFixedGroupUndeletable};
    case GroupOutcome::kDeleted:
      return Toast{ToastKind::kDone, kGroupDeleted};
    case GroupOutcome::kDeleteFailed:
      return Toast{ToastKind::kFailed, kDeleteGroupFailed};
  }
  return std::nullopt;
}

Toast AutostartToast(settings::AutostartOutcome outcome) {
  using core::ToastKind;
  using settings::AutostartOutcome;
  switch (outcome) {
    case AutostartOutcome::kOn:
      return {ToastKind::kDone, kAutostartOn};
    case AutostartOutcome::kOnFailed:
      return {ToastKind::kFailed, kAutostartOnFailed};
    case AutostartOutcome::kOff:
      return {ToastKind::kDone, kAutostartOff};
    case AutostartOutcome::kOffFailed:
      break;
  }
  return {ToastKind::kFailed, kAutostartOffFailed};
}

std::string StoreProblemText(store::OpenOutcome outcome, std::string_view path) {
  using store::OpenOutcome;
  std::string_view first;
  std::string_view after;
  switch (outcome) {
    case OpenOutcome::kOpened:
      return {};
    case OpenOutcome::kReadOnly:
      first = "物品数据库是只读的：";
      after = "可以浏览和启动其中的物品，但添加、修改和删除都无法保存。";
      break;
    case OpenOutcome::kLocked:
      first = "物品数据库正被其他程序占用，暂时无法读取：";
      after = "请关闭占用它的程序，然后重新启动 Velora。面板暂时为空，文件保持原样。";
      break;
    case OpenOutcome::kDamaged:
      first = "物品数据库已损坏，无法读取：";
      after = "文件保持原样，未做任何修改，可先备份它。面板暂时为空。";
      break;
    case OpenOutcome::kMissing:
    case OpenOutcome::kUnreadable:
      first = "无法打开物品数据库：";
      after = "请确认 Velora 所在的文件夹可以读写，然后重新启动 Velora。面板暂时为空。";
      break;
  }
  std::string text(first);
  text.append("\n").append(path).append("\n\n").append(after);
  return text;
}

std::string MissingItemsText(std::size_t removed, std::size_t unchecked) {
  std::string text =
      removed == 0 ? std::string("没有失效的项目") : "清理失效完成，移除" + std::to_string(removed) + "项";
  if (unchecked > 0) text += "，" + std::to_string(unchecked) + "项所在位置无法访问，已保留";
  return text;
}

}  // namespace velora::ui
