// Kills while dropped files are added. The panel adds one dropped file per tick of its queue
// timer, each in a savepoint of its own; a reader beside it records every row it sees committed,
// and each of those rows must outlive the kill.
#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "core/crash_point.h"
#include "e2e/desktop_input.h"
#include "e2e/file_drop.h"
#include "store/database.h"
#include "store/items.h"
#include "store/schema.h"
#include "text/fs_path.h"
#include "trials/kill_trials.h"
#include "trials/trial_common.h"

namespace velora::trials {
namespace {

constexpr DWORD kReadEveryMs = 15;

std::filesystem::path JournalOf(const std::filesystem::path& store_file) {
  std::filesystem::path journal = store_file;
  journal += "-journal";
  return journal;
}

// The item paths of the category the panel shows at start, as committed now; empty when the
// store cannot be read this moment (the program holds it for a write).
std::vector<std::string> CommittedPaths(const std::filesystem::path& store_file) {
  store::Database db;
  std::vector<std::string> paths;
  if (!db.Open(text::PathToUtf8(store_file), SQLITE_OPEN_READONLY)) return paths;
  for (const store::ItemRow& row : store::ListItems(db, store::kSoftwareCategory)) {
    if (row.path) paths.push_back(*row.path);
  }
  return paths;
}

// Reads the store over and over on a thread of its own, remembering each path it saw and when.
class CommitWatch {
 public:
  explicit CommitWatch(const std::filesystem::path& store_file, const Stopwatch& clock)
      : thread_([this, store_file, &clock] {
          while (!stop_) {
            const std::vector<std::string> paths = CommittedPaths(store_file);
            const double at = clock.Elapsed();
            {
              std::lock_guard lock(mutex_);
              for (const auto& path : paths) seen_.emplace(path, at);
            }
            Sleep(kReadEveryMs);
          }
        }) {}
  ~CommitWatch() { Stop(); }
  CommitWatch(const CommitWatch&) = delete;
  CommitWatch& operator=(const CommitWatch&) = delete;

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // Each path with the time it was first seen.
  std::map<std::string, double> Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, double> seen_;
  std::thread thread_;
};

// A new folder of `count` small files with names no earlier batch used.
std::vector<std::filesystem::path> MakeBatch(const Install& install, int number, int count) {
  const std::filesystem::path folder = install.drops / (L"批次 " + std::to_wstring(number));
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> files;
  for (int i = 0; i < count; ++i) {
    files.push_back(folder / (L"条目 " + std::to_wstring(number) + L"-" + std::to_wstring(i) + L".txt"));
    std::ofstream(files.back()) << "item " << i;
  }
  return files;
}

bool Drop(HWND window, const std::vector<std::filesystem::path>& files) {
  HWND grid = e2e::FindItemGrid(window);
  RECT r{};
  if (!grid || !GetWindowRect(grid, &r)) return false;
  return e2e::DropFiles(window, files, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Waits for the `nth` rollback journal of this batch to appear; false when none came in time.
bool WaitForJournal(const std::filesystem::path& journal, int nth, const Stopwatch& clock, double limit_ms) {
  bool present = false;
  int appeared = 0;
  while (clock.Elapsed() < limit_ms) {
    const bool now = Exists(journal);
    if (now && !present && ++appeared == nth) return true;
    present = now;
    YieldProcessor();
  }
  return false;
}

bool IntegrityOk(store::Database& db, std::string& report) {
  store::Statement check = db.Query("PRAGMA integrity_check");
  report.clear();
  while (check.Step()) report += check.ColumnText(0) + " ";
  return report == "ok ";
}

// What a kill left in the store, opened as the program opens it on its next start (which rolls
// back a journal left behind): whole, with every item ever seen committed, and where the kill
// landed.
void Judge(Install& install, CommitWatch& watch, const std::vector<std::filesystem::path>& files,
           TrialOutcome& outcome) {
  outcome.ran = true;
  const bool journal_left = Exists(JournalOf(install.store_file));
  for (const auto& [path, at] : watch.Seen()) install.committed.insert(path);
  store::Database db;
  std::string report;
  if (!db.Open(text::PathToUtf8(install.store_file))) {
    outcome.detail = "the store does not open";
    return;
  }
  if (!IntegrityOk(db, report)) {
    outcome.detail = "integrity_check: " + report;
    return;
  }
  const std::vector<std::string> paths = CommittedPaths(install.store_file);
  const std::set<std::string> present(paths.begin(), paths.end());
  int lost = 0;
  for (const auto& path : install.committed) lost += present.count(path) == 0;
  int added = 0;
  for (const auto& file : files) added += present.count(text::PathToUtf8(file)) > 0;
  outcome.passed = lost == 0;
  outcome.point = journal_left ? KillPoint::kDuringWrite
                  : added == 0 ? KillPoint::kBeforeWrite
                               : KillPoint::kBetweenAdds;
  outcome.detail = (lost ? std::to_string(lost) + " committed items lost; " : std::string()) +
                   std::to_string(added) + " of " + std::to_string(files.size()) + " added";
}

}  // namespace

AddTiming MeasureAdds(Install& install, int items, std::string& detail) {
  AddTiming timing;
  e2e::VeloraProcess velora(install.exe);
  HWND window = ShownPanel(velora);
  if (!window) {
    detail = "the panel did not show";
    return timing;
  }
  const std::vector<std::filesystem::path> files = MakeBatch(install, 0, items);
  const std::filesystem::path journal = JournalOf(install.store_file);
  const Stopwatch clock;
  CommitWatch watch(install.store_file, clock);
  if (!Drop(window, files)) {
    detail = "the drop did not reach the panel";
    return timing;
  }
  // Journals are timed here while the reader records the commits.
  double appeared_at = -1;
  double looked_at = 0;
  int batch_seen = 0;
  while (clock.Elapsed() < items * 1000.0 + 5000 && batch_seen < items) {
    const bool present = Exists(journal);
    if (present && appeared_at < 0) appeared_at = clock.Elapsed();
    if (!present && appeared_at >= 0) {
      timing.journal_life_ms = std::max(timing.journal_life_ms, clock.Elapsed() - appeared_at);
      appeared_at = -1;
    }
    if (clock.Elapsed() - looked_at > 50) {
      looked_at = clock.Elapsed();
      const auto seen = watch.Seen();
      batch_seen = static_cast<int>(std::count_if(files.begin(), files.end(), [&](const auto& file) {
        return seen.count(text::PathToUtf8(file)) > 0;
      }));
    }
    YieldProcessor();
  }
  watch.Stop();
  (void)velora.Close();
  std::vector<double> times;
  const auto seen = watch.Seen();
  for (const auto& file : files) {
    const auto found = seen.find(text::PathToUtf8(file));
    if (found != seen.end()) times.push_back(found->second);
  }
  for (const auto& [path, at] : seen) install.committed.insert(path);
  if (static_cast<int>(times.size()) != items) {
    detail =
        "only " + std::to_string(times.size()) + " of " + std::to_string(items) + " dropped files were added";
    return timing;
  }
  std::sort(times.begin(), times.end());
  timing.batch_ms = times.back();
  timing.per_item_ms = (times.back() - times.front()) / std::max(1, items - 1);
  return timing;
}

TrialOutcome RunItemTrial(Install& install, const AddTiming& timing, int batch, int number,
                          std::mt19937& random) {
  TrialOutcome outcome;
  e2e::VeloraProcess velora(install.exe);
  HWND window = ShownPanel(velora);
  if (!window) {
    outcome.detail = "the panel did not show";
    return outcome;
  }
  const std::vector<std::filesystem::path> files = MakeBatch(install, number, batch);
  const std::filesystem::path journal = JournalOf(install.store_file);
  const Stopwatch clock;
  CommitWatch watch(install.store_file, clock);
  if (!Drop(window, files)) {
    outcome.detail = "the drop did not reach the panel";
    return outcome;
  }
  // Half the kills at any moment of the batch, half once a store write has begun: at a random
  // item, a random time into its journal's life.
  const double batch_ms = std::max(timing.batch_ms, 100.0 * batch) * 1.1;
  if (std::uniform_int_distribution<int>(0, 1)(random) == 0) {
    clock.WaitUntil(std::uniform_real_distribution<double>(0.0, batch_ms)(random));
  } else {
    const int nth = std::uniform_int_distribution<int>(1, batch)(random);
    if (WaitForJournal(journal, nth, clock, batch_ms + 3000)) {
      const Stopwatch inside;
      inside.WaitUntil(std::uniform_real_distribution<double>(0.0, timing.journal_life_ms)(random));
    }
  }
  outcome.delay_ms = clock.Elapsed();
  const bool ended = velora.Kill();
  watch.Stop();
  Judge(install, watch, files, outcome);
  if (!ended) {
    outcome.passed = false;
    outcome.detail = "the copy would not end";
  }
  return outcome;
}

TrialOutcome RunItemCrash(Install& install, std::string_view step, int batch, int number) {
  TrialOutcome outcome;
  const std::unique_ptr<e2e::VeloraProcess> velora = StartArmed(install.exe, step);
  HWND window = ShownPanel(*velora);
  if (!window) {
    outcome.detail = "the panel did not show";
    return outcome;
  }
  const std::vector<std::filesystem::path> files = MakeBatch(install, number, batch);
  const Stopwatch clock;
  CommitWatch watch(install.store_file, clock);
  if (!Drop(window, files)) {
    outcome.detail = "the drop did not reach the panel";
    return outcome;
  }
  const std::optional<DWORD> exit_code = velora->WaitForExit(batch * 1000 + 5000);
  outcome.delay_ms = clock.Elapsed();
  watch.Stop();
  Judge(install, watch, files, outcome);
  // Before the journal is deleted the transaction is still open: the journal stays for the next
  // start to roll back. Once deleted, the first dropped file is in the store.
  const bool committed = step == core::crash_step::kCommitted;
  const KillPoint expected = committed ? KillPoint::kBetweenAdds : KillPoint::kDuringWrite;
  JudgeCrash(exit_code, expected, "the store", outcome);
  return outcome;
}

}  // namespace velora::trials
