#pragma once
// What the settings panel asks of the program: autostart, the look, "保存", "重启", the backups,
// export and import.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "settings/autostart.h"
#include "ui/backup_texts.h"
#include "ui/core_types.h"

namespace velora::ui {

struct SettingsActions {
  std::function<bool()> autostart_exists;
  std::function<settings::AutostartOutcome(bool on)> set_autostart;
  std::function<void(std::uint32_t argb)> border_colour_picked;
  // Chosen on the skin page, shown by new captions until "应用".
  std::function<void(std::uint32_t argb)> text_colour_picked;
  std::function<void(const Appearance&)> apply;
  std::function<void()> save;
  std::function<void()> restart;
  // The backups newest first, and the restore of one of them (which reports and reloads).
  std::function<std::vector<BackupEntry>()> list_backups;
  std::function<void(const std::filesystem::path& backup)> restore_backup;
  // The catalogue to or from the file the user chose; each reports in a toast when done.
  std::function<void(const std::filesystem::path& file)> export_catalogue;
  std::function<void(const std::filesystem::path& file, bool replace)> import_catalogue;
  // The bookmarks of the browsers found on this machine.
  std::function<void()> import_bookmarks;
};

}  // namespace velora::ui
