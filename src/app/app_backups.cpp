// The App's share of the backups: the daily one, the one before a bulk removal, the restore the
// about page asks for, and a damaged store found at start-up.
#include <algorithm>

#include "app/app.h"
#include "app/first_run.h"
#include "store/groups.h"
#include "store/schema.h"
#include "store/template_db.h"
#include "text/fs_path.h"
#include "text/utf.h"
#include "ui/backup_texts.h"
#include "ui/settings_ui.h"

namespace velora::app {

void App::WireBackups() {
  ui::SettingsUi::Actions& a = launcher_.settings().actions;
  a.list_backups = [this] {
    return state_.backups ? ui::ListBackupEntries(state_.backups->folder()) : std::vector<ui::BackupEntry>{};
  };
  a.restore_backup = [this](const std::filesystem::path& backup) { RestoreBackup(backup); };
}

bool App::BackUpBeforeBulkRemoval() {
  const bool made = state_.backups && state_.database.IsOpen() && state_.backups->Make(state_.database);
  if (!made) {
    launcher_.settings().ShowToast(ui::ToastKind::kFailed, ui::kBackupFailedNothingRemoved);
    return false;
  }
  launcher_.settings().BackupsChanged();
  return true;
}

void App::MakeDailyBackup() {
  const bool readable = state_.store_outcome == store::OpenOutcome::kOpened ||
                        state_.store_outcome == store::OpenOutcome::kReadOnly;
  // A template that just replaced a damaged store holds nothing worth a place among the backups.
  if (!readable || !state_.damaged_store.empty() || !state_.backups || state_.backups->MadeToday()) return;
  // A failure is quiet: no backup of today's date means the next start tries again.
  if (state_.backups->Make(state_.database)) launcher_.settings().BackupsChanged();
}

void App::RestoreBackup(const std::filesystem::path& backup, bool back_up_current) {
  if (!state_.backups) return;
  const std::filesystem::path store_file = DatabasePath(state_.data_directory);
  store::FileRestoreSteps steps(state_.database, store_file, *state_.backups);
  const store::RestoreOutcome outcome = store::Restore(steps, backup, store_file, back_up_current);
  if (!state_.database.IsOpen()) {
    state_.store_outcome = store::OpenOutcome::kUnreadable;
  } else {
    state_.store_outcome =
        state_.database.ReadOnly() ? store::OpenOutcome::kReadOnly : store::OpenOutcome::kOpened;
  }
  ReloadStore();
  const ui::Toast toast = ui::RestoreToast(outcome);
  launcher_.settings().ShowToast(toast.kind, toast.text);
}

void App::ReloadStore() {
  // The category on show stays when the restored store has it; otherwise the first is shown.
  launcher_.FillCategoryBar(store::BuildCategoryList(state_.database));
  launcher_.RefreshGrid();
}

void App::SetDamagedStoreAside() {
  const std::filesystem::path store_file = DatabasePath(state_.data_directory);
  const std::optional<std::filesystem::path> aside = store::MoveDamagedStoreAside(store_file, state_.clock);
  if (!aside) return;  // it stays where it is and is reported as damaged
  state_.damaged_store = *aside;
  // The panel works with the template until the user has chosen.
  (void)store::WriteTemplateDatabase(store_file);
  state_.store_outcome = store::OpenItemStore(state_.database, text::PathToUtf8(store_file));
}

void App::OfferBackupForDamagedStore() {
  const std::optional<store::BackupFile> newest =
      state_.backups ? store::NewestSoundBackup(state_.backups->folder()) : std::nullopt;
  std::string time;
  std::string items;
  if (newest) {
    time = ui::BackupTimeText(newest->name);
    items = ui::BackupItemsText(store::CountItems(newest->path));
  }
  const std::string text =
      ui::DamagedStoreText(text::PathToUtf8(state_.damaged_store),
                           newest ? std::optional<std::string_view>(time) : std::nullopt, items);
  const UINT buttons = newest ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONWARNING;
  if (MessageBoxW(launcher_.hwnd(), text::Widen(text).c_str(), ui::kLauncherTitle, buttons) == IDYES &&
      newest) {
    RestoreBackup(newest->path, /*back_up_current=*/false);
  }
}

}  // namespace velora::app
