#pragma once
// The window's words for backups: toasts, the about page's rows, the restore question and what
// the user is told when a damaged store was moved aside.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/backup.h"
#include "ui/toast_texts.h"

namespace velora::ui {

inline constexpr std::string_view kBackupDone = "备份完成";
inline constexpr std::string_view kBackupFailed = "备份失败";
// Said when a bulk removal did not run because its backup could not be made.
inline constexpr std::string_view kBackupFailedNothingRemoved = "备份失败，未删除任何物品";
inline constexpr std::string_view kNoBackupChosen = "请先选择一个备份";

Toast RestoreToast(store::RestoreOutcome outcome);

// "2026-12-10 09:30:15"
std::string BackupTimeText(const store::BackupName& name);
// "12 项", or that the copy cannot be read.
std::string BackupItemsText(std::optional<std::size_t> items);
// A backup as the about page lists it.
struct BackupEntry {
  std::string time;   // to the second
  std::string items;  // "12 项"
  std::filesystem::path file;
};
// The list's narrow cells: the time to the minute, the bare number.
std::string ListTimeCell(std::string_view time);
std::string ListItemsCell(std::string_view items);
// Newest first, each with its items counted.
std::vector<BackupEntry> ListBackupEntries(const std::filesystem::path& folder);

std::string RestoreQuestion(std::string_view time, std::string_view items);

// A damaged store was renamed to `moved_to`. With a backup to offer, the text asks whether to
// restore it (Yes) or start with the template (No); without one it says the template took over.
std::string DamagedStoreText(std::string_view moved_to, std::optional<std::string_view> backup_time,
                             std::string_view backup_items);

}  // namespace velora::ui
