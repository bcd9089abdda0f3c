#include "store/backup.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>
#include <tuple>

#include "store/open_store.h"
#include "text/fs_path.h"

namespace velora::store {
namespace {

constexpr std::string_view kPrefix = "Velora-";
constexpr std::string_view kSuffix = ".db";
constexpr std::string_view kTemporary = ".tmp";
constexpr std::string_view kDamagedMark = ".损坏-";
constexpr std::string_view kJournals[] = {"-journal", "-wal"};

// Reads exactly `digits` decimal digits from the front of `text`.
std::optional<int> TakeNumber(std::string_view& text, std::size_t digits) {
  if (text.size() < digits) return std::nullopt;
  int value = 0;
  const char* end = text.data() + digits;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

bool Take(std::string_view& text, std::string_view expected) {
  if (text.substr(0, expected.size()) != expected) return false;
  text.remove_prefix(expected.size());
  return true;
}

std::string Stamp(const text::LocalTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buffer;
}

auto Key(const BackupName& n) {
  const text::LocalTime& t = n.time;
  return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second, n.sequence);
}

std::filesystem::path WithSuffix(std::filesystem::path path, std::string_view suffix) {
  path += text::PathFromUtf8(suffix);
  return path;
}

bool SameDay(const text::LocalTime& a, const text::LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

std::string BackupFileName(const BackupName& name) {
  std::string file = std::string(kPrefix) + Stamp(name.time);
  if (name.sequence > 1) file += "-" + std::to_string(name.sequence);
  return file + std::string(kSuffix);
}

std::optional<BackupName> ParseBackupFileName(std::string_view file) {
  BackupName name;
  text::LocalTime& t = name.time;
  if (!Take(file, kPrefix)) return std::nullopt;
  const auto year = TakeNumber(file, 4), month = TakeNumber(file, 2), day = TakeNumber(file, 2);
  if (!year || !month || !day || !Take(file, "-")) return std::nullopt;
  const auto hour = TakeNumber(file, 2), minute = TakeNumber(file, 2), second = TakeNumber(file, 2);
  if (!hour || !minute || !second) return std::nullopt;
  t = {*year, *month, *day, *hour, *minute, *second};
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 60)
    return std::nullopt;
  if (Take(file, "-")) {
    std::size_t digits = 0;
    while (digits < file.size() && digits < 6 && file[digits] >= '0' && file[digits] <= '9') ++digits;
    const auto sequence = digits ? TakeNumber(file, digits) : std::nullopt;
    if (!sequence || *sequence < 2) return std::nullopt;
    name.sequence = *sequence;
  }
  if (file != kSuffix) return std::nullopt;
  return name;
}

bool IsNewer(const BackupName& a, const BackupName& b) { return Key(a) > Key(b); }

std::filesystem::path BackupFolder(const std::filesystem::path& data_directory) {
  return data_directory / text::PathFromUtf8(kBackupFolderName);
}

std::vector<BackupFile> ListBackups(const std::filesystem::path& folder) {
  std::vector<BackupFile> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    if (auto name = ParseBackupFileName(text::PathToUtf8(it->path().filename())))
      found.push_back({it->path(), *name});
  }
  std::sort(found.begin(), found.end(),
            [](const BackupFile& a, const BackupFile& b) { return IsNewer(a.name, b.name); });
  return found;
}

BackupName NextBackupName(const std::vector<BackupFile>& existing, const text::LocalTime& now) {
  BackupName next{now, 1};
  for (const BackupFile& file : existing) {
    const BackupName& taken = file.name;
    if (Key(BackupName{now, taken.sequence}) == Key(taken) && taken.sequence >= next.sequence)
      next.sequence = taken.sequence + 1;
  }
  return next;
}

std::vector<std::filesystem::path> PruneBackups(const std::filesystem::path& folder, std::size_t keep) {
  std::vector<std::filesystem::path> removed;
  const std::vector<BackupFile> backups = ListBackups(folder);
  std::error_code ec;
  for (std::size_t i = keep; i < backups.size(); ++i) {
    if (std::filesystem::remove(backups[i].path, ec)) removed.push_back(backups[i].path);
  }
  return removed;
}

std::optional<std::size_t> CountItems(const std::filesystem::path& store_file) {
  Database db;
  if (!db.Open(text::PathToUtf8(store_file), Database::kOpenReadOnly)) return std::nullopt;
  if (db.Probe() != SQLITE_OK) return std::nullopt;
  std::vector<std::string> tables;
  for (Statement list = db.ListTables(); list.Step();) tables.push_back(list.ColumnText(0));
  bool ok = false;
  std::size_t items = 0;
  for (const std::string& table : tables) {
    Statement count = db.Query("select count(*) from " + QuoteIdentifier(table), &ok);
    if (!ok || !count.Step()) return std::nullopt;
    items += static_cast<std::size_t>(count.ColumnInt(0));
  }
  return items;
}

bool IsSoundStore(const std::filesystem::path& store_file) {
  Database db;
  return db.Open(text::PathToUtf8(store_file), Database::kOpenReadOnly) && db.Probe() == SQLITE_OK &&
         db.QuickCheck() == SQLITE_OK;
}

std::optional<BackupFile> NewestSoundBackup(const std::filesystem::path& folder) {
  for (BackupFile& file : ListBackups(folder)) {
    if (IsSoundStore(file.path)) return std::move(file);
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> Backups::Make(Database& live) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  const std::filesystem::path target =
      folder_ / text::PathFromUtf8(BackupFileName(NextBackupName(ListBackups(folder_), clock_.Now())));
  const std::filesystem::path temporary = WithSuffix(target, kTemporary);
  std::filesystem::remove(temporary, ec);
  int rc = SQLITE_CANTOPEN;
  {
    Database copy;
    if (copy.Open(text::PathToUtf8(temporary), Database::kOpenCreate))
      rc = live.CopyInto(copy, kBackupBusyWaitMs);
  }
  if (rc == SQLITE_OK) std::filesystem::rename(temporary, target, ec);
  if (rc != SQLITE_OK || ec) {
    std::filesystem::remove(temporary, ec);
    return std::nullopt;
  }
  (void)PruneBackups(folder_);
  return target;
}

bool Backups::MadeToday() const {
  const text::LocalTime today = clock_.Now();
  const std::vector<BackupFile> backups = ListBackups(folder_);
  return std::any_of(backups.begin(), backups.end(),
                     [&](const BackupFile& file) { return SameDay(file.name.time, today); });
}

std::optional<std::filesystem::path> MoveDamagedStoreAside(const std::filesystem::path& store_file,
                                                           Clock& clock) {
  const std::string stamp = Stamp(clock.Now());
  std::error_code ec;
  std::filesystem::path aside;
  for (int n = 1;; ++n) {
    const std::string mark = std::string(kDamagedMark) + stamp + (n > 1 ? "-" + std::to_string(n) : "");
    aside = WithSuffix(store_file, mark);
    if (!std::filesystem::exists(aside, ec) && !ec) break;
    if (ec || n >= 1000) return std::nullopt;
  }
  std::filesystem::rename(store_file, aside, ec);
  if (ec) return std::nullopt;
  for (std::string_view journal : kJournals) {
    const std::filesystem::path from = WithSuffix(store_file, journal);
    if (std::filesystem::exists(from, ec)) std::filesystem::rename(from, WithSuffix(aside, journal), ec);
  }
  return aside;
}

std::filesystem::path StagedRestorePath(const std::filesystem::path& store_file) {
  return WithSuffix(store_file, ".restore.tmp");
}

RestoreOutcome Restore(RestoreSteps& steps, const std::filesystem::path& copy,
                       const std::filesystem::path& store_file, bool back_up_current) {
  if (back_up_current && !steps.BackUpCurrent()) return RestoreOutcome::kCurrentNotSaved;
  if (!steps.IsSound(copy)) return RestoreOutcome::kCopyDamaged;
  const std::filesystem::path staged = StagedRestorePath(store_file);
  if (!steps.Stage(copy, staged)) {
    steps.Discard(staged);
    return RestoreOutcome::kNotReplaced;
  }
  steps.CloseStore();
  if (!steps.SwapIn(staged)) {
    steps.Discard(staged);
    (void)steps.OpenStore();  // the store as it was
    return RestoreOutcome::kNotReplaced;
  }
  return steps.OpenStore() ? RestoreOutcome::kRestored : RestoreOutcome::kNotReopened;
}

bool FileRestoreSteps::BackUpCurrent() { return live_.IsOpen() && backups_.Make(live_).has_value(); }

bool FileRestoreSteps::IsSound(const std::filesystem::path& copy) { return IsSoundStore(copy); }

bool FileRestoreSteps::Stage(const std::filesystem::path& copy, const std::filesystem::path& staged) {
  std::error_code ec;
  std::filesystem::remove(staged, ec);
  Database source;
  Database target;
  return source.Open(text::PathToUtf8(copy), Database::kOpenReadOnly) &&
         target.Open(text::PathToUtf8(staged), Database::kOpenCreate) &&
         source.CopyInto(target, kBackupBusyWaitMs) == SQLITE_OK;
}

void FileRestoreSteps::CloseStore() { live_.Close(); }

bool FileRestoreSteps::SwapIn(const std::filesystem::path& staged) {
  std::error_code ec;
  // A journal left beside the old store belongs to it; SQLite would play it into the new one.
  for (std::string_view journal : kJournals) std::filesystem::remove(WithSuffix(store_file_, journal), ec);
  std::filesystem::rename(staged, store_file_, ec);
  return !ec;
}

bool FileRestoreSteps::OpenStore() {
  const OpenOutcome outcome = OpenItemStore(live_, text::PathToUtf8(store_file_));
  return outcome == OpenOutcome::kOpened || outcome == OpenOutcome::kReadOnly;
}

void FileRestoreSteps::Discard(const std::filesystem::path& staged) {
  std::error_code ec;
  std::filesystem::remove(staged, ec);
}

}  // namespace velora::store
