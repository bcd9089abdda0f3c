#include "ui/backup_texts.h"

namespace velora::ui {

Toast RestoreToast(store::RestoreOutcome outcome) {
  using core::ToastKind;
  using store::RestoreOutcome;
  switch (outcome) {
    case RestoreOutcome::kRestored:
      return {ToastKind::kDone, "恢复完成"};
    case RestoreOutcome::kCurrentNotSaved:
      return {ToastKind::kFailed, "恢复失败：无法先备份当前数据"};
    case RestoreOutcome::kCopyDamaged:
      return {ToastKind::kFailed, "恢复失败：备份已损坏"};
    case RestoreOutcome::kNotReplaced:
      return {ToastKind::kFailed, "恢复失败：数据未改变"};
    case RestoreOutcome::kNotReopened:
      break;
  }
  return {ToastKind::kFailed, "恢复失败：无法打开数据"};
}

std::string BackupTimeText(const store::BackupName& name) { return text::FormatDate(name.time); }

std::string BackupItemsText(std::optional<std::size_t> items) {
  return items ? std::to_string(*items) + " 项" : std::string("无法读取");
}

std::vector<BackupEntry> ListBackupEntries(const std::filesystem::path& folder) {
  std::vector<BackupEntry> entries;
  for (const store::BackupFile& file : store::ListBackups(folder))
    entries.push_back({BackupTimeText(file.name), BackupItemsText(store::CountItems(file.path)), file.path});
  return entries;
}

std::string ListTimeCell(std::string_view time) { return std::string(time.substr(0, 16)); }

std::string ListItemsCell(std::string_view items) {
  const std::size_t space = items.find(' ');
  return std::string(space == std::string_view::npos ? "损坏" : items.substr(0, space));
}

std::string RestoreQuestion(std::string_view time, std::string_view items) {
  std::string text = "用 ";
  text.append(time).append(" 的备份（").append(items).append("）替换当前的全部物品吗？\n\n");
  return text.append("当前的物品会先备份，之后仍可恢复。");
}

std::string DamagedStoreText(std::string_view moved_to, std::optional<std::string_view> backup_time,
                             std::string_view backup_items) {
  std::string text = "物品数据库已损坏，已改名保留为：\n";
  text.append(moved_to).append("\n\n");
  if (!backup_time) return text.append("没有可用的备份，已换用空白的物品数据库。");
  text.append("是否恢复最近的备份（").append(*backup_time).append("，").append(backup_items).append("）？\n");
  return text.append("选择“否”则使用空白的物品数据库。");
}

}  // namespace velora::ui
