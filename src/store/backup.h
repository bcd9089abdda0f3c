#pragma once
// Copies of the item store in the data folder's "backup" folder: made with SQLite's online backup
// from the live connection, named by the local date and time, the newest 20 kept; and the restore
// of one of them as a fixed sequence of steps that never leaves the store half replaced.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "text/date.h"

namespace velora::store {

inline constexpr std::string_view kBackupFolderName = "backup";
inline constexpr std::size_t kBackupsKept = 20;
// How long a backup waits for another program's write to end.
inline constexpr int kBackupBusyWaitMs = 2000;

// The clock backups are named by.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual text::LocalTime Now() = 0;
};

class SystemClock final : public Clock {
 public:
  text::LocalTime Now() override { return text::LocalNow(); }
};

// "Velora-20261210-093015.db"; the second backup of the same second is "…-093015-2.db".
struct BackupName {
  text::LocalTime time;
  int sequence = 1;
};
std::string BackupFileName(const BackupName& name);
// Only names BackupFileName makes; any other file in the folder is not a backup and never touched.
std::optional<BackupName> ParseBackupFileName(std::string_view file_name);
bool IsNewer(const BackupName& a, const BackupName& b);

struct BackupFile {
  std::filesystem::path path;
  BackupName name;
};

std::filesystem::path BackupFolder(const std::filesystem::path& data_directory);
// Newest first; empty when the folder is missing.
std::vector<BackupFile> ListBackups(const std::filesystem::path& folder);
// The first name at `now` that no existing backup has.
BackupName NextBackupName(const std::vector<BackupFile>& existing, const text::LocalTime& now);
// Removes all but the newest `keep` backups; the paths removed.
std::vector<std::filesystem::path> PruneBackups(const std::filesystem::path& folder,
                                                std::size_t keep = kBackupsKept);
// Items a store file holds: the rows of every table, read through a read-only connection.
std::optional<std::size_t> CountItems(const std::filesystem::path& store_file);
// True when the file opens and passes "PRAGMA quick_check".
bool IsSoundStore(const std::filesystem::path& store_file);
// The newest backup that passes the check, if any.
std::optional<BackupFile> NewestSoundBackup(const std::filesystem::path& folder);

class Backups {
 public:
  Backups(std::filesystem::path folder, Clock& clock) : folder_(std::move(folder)), clock_(clock) {}

  // Copies the live store into a new backup (through a temporary file, so a failed copy never
  // shows up as a backup), then keeps the newest 20. The new file, or nothing on failure.
  std::optional<std::filesystem::path> Make(Database& live);
  // True when a backup of today's date exists.
  bool MadeToday() const;
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  Clock& clock_;
};

// Renames a damaged store to "Velora.db.损坏-20261210-093015" beside it (never deletes it), and its
// journal along with it so the journal cannot be played into the store that takes its place. The
// new path, or nothing when the rename failed.
std::optional<std::filesystem::path> MoveDamagedStoreAside(const std::filesystem::path& store_file,
                                                           Clock& clock);

// What a restore did; the window words it.
enum class RestoreOutcome {
  kRestored,
  kCurrentNotSaved,  // the current store could not be backed up first: nothing changed
  kCopyDamaged,      // the chosen copy failed its check: nothing changed
  kNotReplaced,      // the copy could not be put in place: the current store stays
  kNotReopened,      // the copy is in place but cannot be opened
};

// The side effects of a restore, in the order Restore calls them.
class RestoreSteps {
 public:
  virtual ~RestoreSteps() = default;
  virtual bool BackUpCurrent() = 0;
  virtual bool IsSound(const std::filesystem::path& copy) = 0;
  // Copies the chosen backup to `staged`, a temporary file beside the store.
  virtual bool Stage(const std::filesystem::path& copy, const std::filesystem::path& staged) = 0;
  virtual void CloseStore() = 0;
  // Renames `staged` over the store in one step.
  virtual bool SwapIn(const std::filesystem::path& staged) = 0;
  virtual bool OpenStore() = 0;
  virtual void Discard(const std::filesystem::path& staged) = 0;
};

std::filesystem::path StagedRestorePath(const std::filesystem::path& store_file);

// Back up the current store (unless told it holds nothing worth keeping), check the chosen copy,
// stage it beside the store, close, swap it in, reopen. Any failure before the swap reopens the
// store as it was.
RestoreOutcome Restore(RestoreSteps& steps, const std::filesystem::path& copy,
                       const std::filesystem::path& store_file, bool back_up_current = true);

// The steps on real files: the live connection is closed only for the swap.
class FileRestoreSteps final : public RestoreSteps {
 public:
  FileRestoreSteps(Database& live, std::filesystem::path store_file, Backups& backups)
      : live_(live), store_file_(std::move(store_file)), backups_(backups) {}

  bool BackUpCurrent() override;
  bool IsSound(const std::filesystem::path& copy) override;
  bool Stage(const std::filesystem::path& copy, const std::filesystem::path& staged) override;
  void CloseStore() override;
  bool SwapIn(const std::filesystem::path& staged) override;
  bool OpenStore() override;
  void Discard(const std::filesystem::path& staged) override;

 private:
  Database& live_;
  std::filesystem::path store_file_;
  Backups& backups_;
};

}  // namespace velora::store
