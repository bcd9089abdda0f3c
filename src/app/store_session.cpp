#include "app/store_session.h"

#include "store/template_db.h"
#include "text/fs_path.h"

namespace velora::app {

void StoreSession::Open(const std::filesystem::path& store_file, const std::filesystem::path& backup_folder) {
  store_file_ = store_file;
  backups_.emplace(backup_folder, clock_);
  outcome_ = store::OpenItemStore(database_, text::PathToUtf8(store_file_));
  if (outcome_ != store::OpenOutcome::kDamaged) return;
  const std::optional<std::filesystem::path> aside = store::MoveDamagedStoreAside(store_file_, clock_);
  if (!aside) return;  // it stays where it is and is reported as damaged
  damaged_store_ = *aside;
  // The panel works with the template until the user has chosen.
  (void)store::WriteTemplateDatabase(store_file_);
  outcome_ = store::OpenItemStore(database_, text::PathToUtf8(store_file_));
}

bool StoreSession::BackUp() { return backups_ && database_.IsOpen() && backups_->Make(database_); }

bool StoreSession::BackUpForToday() {
  const bool readable = outcome_ == store::OpenOutcome::kOpened || outcome_ == store::OpenOutcome::kReadOnly;
  if (!readable || !damaged_store_.empty() || !backups_ || backups_->MadeToday()) return false;
  // A failure is quiet: no backup of today's date means the next start tries again.
  return backups_->Make(database_).has_value();
}

std::optional<store::BackupFile> StoreSession::NewestSoundBackup() const {
  return backups_ ? store::NewestSoundBackup(backups_->folder()) : std::nullopt;
}

store::RestoreOutcome StoreSession::Restore(const std::filesystem::path& backup, bool back_up_current) {
  store::FileRestoreSteps steps(database_, store_file_, *backups_);
  const store::RestoreOutcome outcome = store::Restore(steps, backup, store_file_, back_up_current);
  if (!database_.IsOpen()) {
    outcome_ = store::OpenOutcome::kUnreadable;
  } else {
    outcome_ = database_.ReadOnly() ? store::OpenOutcome::kReadOnly : store::OpenOutcome::kOpened;
  }
  if (on_changed) on_changed();
  return outcome;
}

}  // namespace velora::app
