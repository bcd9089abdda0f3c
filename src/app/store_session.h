#pragma once
// The item store for the whole run: the program's one connection, its backups, and what start-up
// found. A damaged store is renamed aside at opening and the template used in its place until the
// user chooses; a restore replaces the store behind the connection and says so to whoever shows
// its contents.
#include <filesystem>
#include <functional>
#include <optional>

#include "store/backup.h"
#include "store/database.h"
#include "store/open_store.h"

namespace velora::app {

class StoreSession {
 public:
  explicit StoreSession(store::Clock& clock) : clock_(clock) {}
  StoreSession(const StoreSession&) = delete;
  StoreSession& operator=(const StoreSession&) = delete;

  void Open(const std::filesystem::path& store_file, const std::filesystem::path& backup_folder);

  store::Database& database() noexcept { return database_; }
  store::OpenOutcome outcome() const noexcept { return outcome_; }
  const std::filesystem::path& store_file() const noexcept { return store_file_; }
  // Where a damaged store found at opening was moved; empty when none was.
  const std::filesystem::path& damaged_store() const noexcept { return damaged_store_; }
  // Empty before Open.
  std::filesystem::path backup_folder() const {
    return backups_ ? backups_->folder() : std::filesystem::path();
  }

  // Before items are removed in bulk. False when no backup could be made.
  [[nodiscard]] bool BackUp();
  // The first start of a day keeps a copy; not of a template standing in for a damaged store.
  // True when one was made.
  bool BackUpForToday();
  std::optional<store::BackupFile> NewestSoundBackup() const;
  // Puts a backup in the store's place (backing the current one up first unless told it holds
  // nothing worth keeping), then calls `on_changed`.
  store::RestoreOutcome Restore(const std::filesystem::path& backup, bool back_up_current);

  // The store behind the connection was replaced: the bar and the grid read it again.
  std::function<void()> on_changed;

 private:
  store::Clock& clock_;
  std::filesystem::path store_file_;
  std::optional<store::Backups> backups_;
  store::Database database_;
  store::OpenOutcome outcome_ = store::OpenOutcome::kUnreadable;
  std::filesystem::path damaged_store_;
};

}  // namespace velora::app
