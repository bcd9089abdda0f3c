// The App's share of the backups: the daily one, the one before a bulk removal, the restore the
// about page asks for, and a damaged store found at start-up.
#include <algorithm>

#include "app/app.h"
#include "app/first_run.h"
#include "store/groups.h"
#include "store/schema.h"
#include "text/fs_path.h"
#include "text/utf.h"
#include "ui/backup_texts.h"

namespace velora::app {

void App::AddBackupActions(ui::SettingsActions& a) {
  a.list_backups = [this] { return ui::ListBackupEntries(store_.backup_folder()); };
  a.restore_backup = [this](const std::filesystem::path& backup) { RestoreBackup(backup); };
}

bool App::BackUpBeforeBulkRemoval() {
  if (!store_.BackUp()) {
    launcher_->ShowToast(ui::ToastKind::kFailed, ui::kBackupFailedNothingRemoved);
    return false;
  }
  launcher_->BackupsChanged();
  return true;
}

void App::RestoreBackup(const std::filesystem::path& backup, bool back_up_current) {
  const ui::Toast toast = ui::RestoreToast(store_.Restore(backup, back_up_current));
  launcher_->ShowToast(toast.kind, toast.text);
}

void App::ReloadStore() {
  // The category on show stays when the restored store has it; otherwise the first is shown.
  launcher_->FillCategoryBar(store::BuildCategoryList(store_.database()));
  launcher_->RefreshGrid();
  launcher_->StoreReplaced();
}

void App::OfferBackupForDamagedStore() {
  const std::optional<store::BackupFile> newest = store_.NewestSoundBackup();
  std::string time;
  std::string items;
  if (newest) {
    time = ui::BackupTimeText(newest->name);
    items = ui::BackupItemsText(store::CountItems(newest->path));
  }
  const std::string text =
      ui::DamagedStoreText(text::PathToUtf8(store_.damaged_store()),
                           newest ? std::optional<std::string_view>(time) : std::nullopt, items);
  const UINT buttons = newest ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONWARNING;
  if (MessageBoxW(launcher_->hwnd(), text::Widen(text).c_str(), ui::kLauncherTitle, buttons) == IDYES &&
      newest) {
    RestoreBackup(newest->path, /*back_up_current=*/false);
  }
}

}  // namespace velora::app
