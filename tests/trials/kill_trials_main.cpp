// velora_kill_trials [--trials N] [--batch FILES] [--seed S] [--exe Velora.exe]
// On one private copy: first one crash at each named step of a settings save and of an item add,
// then N kill trials at random moments (default 200), settings saves and item adds in turn.
// Prints one line per trial, a table of the steps covered and a summary, and exits 0 only when
// every trial passed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/crash_point.h"
#include "e2e/velora_process.h"
#include "text/fs_path.h"
#include "trials/kill_trials.h"
#include "trials/trial_common.h"

using namespace velora;
using namespace velora::trials;

namespace {

struct Options {
  int trials = 200;
  int batch = 20;
  unsigned seed = 0;
  std::filesystem::path exe;
};

Options ReadOptions(int argc, wchar_t** argv) {
  Options options;
  options.seed = GetTickCount();
  options.exe = e2e::BuiltExecutable();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    if (name == L"--trials") options.trials = std::max(1, _wtoi(argv[i + 1]));
    if (name == L"--batch") options.batch = std::max(2, _wtoi(argv[i + 1]));
    if (name == L"--seed") options.seed = static_cast<unsigned>(_wtoi(argv[i + 1]));
    if (name == L"--exe") options.exe = argv[i + 1];
  }
  return options;
}

struct Tally {
  std::map<KillPoint, int> points;
  std::vector<double> delays;
  std::vector<std::pair<double, KillPoint>> kills;
  int passed = 0;
  int not_run = 0;
};

// How the kill delays spread: eight equal spans from 0 to the longest, and in each how many
// kills landed where.
void PrintSpread(const Tally& tally) {
  if (tally.kills.empty()) return;
  constexpr int kSpans = 8;
  const double longest = *std::max_element(tally.delays.begin(), tally.delays.end());
  const double width = longest / kSpans + 1e-9;
  std::map<KillPoint, std::vector<int>> counts;
  for (const auto& [delay, point] : tally.kills) {
    auto& row = counts[point];
    row.resize(kSpans);
    ++row[std::min(kSpans - 1, static_cast<int>(delay / width))];
  }
  std::printf("  %-22s", "kill delay (ms) up to");
  for (int i = 1; i <= kSpans; ++i) std::printf(" %7.1f", width * i);
  std::printf("\n");
  for (const auto& [point, row] : counts) {
    std::printf("  %-22s", KillPointName(point));
    for (int n : row) std::printf(" %7d", n);
    std::printf("\n");
  }
}

std::string Quartiles(std::vector<double> v) {
  if (v.empty()) return "-";
  std::sort(v.begin(), v.end());
  char text[96];
  std::snprintf(text, sizeof text, "min %.1f, median %.1f, max %.1f ms", v.front(), v[v.size() / 2],
                v.back());
  return text;
}

void PrintLine(const char* label, const char* kind, const std::string& where, const TrialOutcome& outcome) {
  std::printf("%-9s %-8s %-22s %s  %s\n", label, kind, where.c_str(),
              !outcome.ran     ? "NOT RUN"
              : outcome.passed ? "ok"
                               : "FAILED",
              outcome.detail.c_str());
  std::fflush(stdout);
}

struct CrashRow {
  const char* kind;
  std::string step;
  TrialOutcome outcome;
};

void PrintCrashTable(const std::vector<CrashRow>& rows) {
  std::printf("crash points (each step of a save and of an add, on every run):\n");
  for (const CrashRow& row : rows) {
    std::printf("  %-8s %-18s %-7s %s\n", row.kind, row.step.c_str(),
                row.outcome.passed ? "covered" : "FAILED",
                row.outcome.ran ? KillPointName(row.outcome.point) : "not run");
  }
}

void PrintTally(const char* kind, const Tally& tally) {
  std::printf("%s: %d passed of %zu run, %d could not be set up; kill delays %s\n", kind, tally.passed,
              tally.delays.size(), tally.not_run, Quartiles(tally.delays).c_str());
  for (const auto& [point, count] : tally.points) std::printf("  %-22s %d\n", KillPointName(point), count);
  PrintSpread(tally);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options options = ReadOptions(argc, argv);
  velora::testing::TempFolder folder;
  Install install;
  install.exe = folder.path() / L"Velora.exe";
  install.settings_file = folder.path() / L"配置" / L"Velora配置.ini";
  install.store_file = folder.path() / L"配置" / L"Velora.db";
  install.drops = folder.path() / L"拖放";
  std::error_code error;
  std::filesystem::copy_file(options.exe, install.exe, error);
  if (error) {
    std::printf("cannot copy %s\n", text::PathToUtf8(options.exe).c_str());
    return 2;
  }
  std::printf("kill trials: %d, batches of %d files, seed %u, copy in %s\n", options.trials, options.batch,
              options.seed, text::PathToUtf8(folder.path()).c_str());
  {  // The first run writes the store and the settings file.
    e2e::VeloraProcess first(install.exe);
    if (!ShownPanel(first) || first.Close() != 0u) {
      std::printf("the copy did not start and close cleanly\n");
      return 2;
    }
  }

  std::string detail;
  const SaveTiming save = MeasureSave(install, 7, detail);
  if (!detail.empty()) {
    std::printf("measuring a save: %s\n", detail.c_str());
    return 1;
  }
  std::printf(
      "a save (7 clean runs): the write begins %.1f ms at the earliest, the new file is in place %.1f ms "
      "after the release (median), %.1f ms at the latest\n",
      save.write_begins_ms, save.typical_replaced_ms, save.replaced_ms);
  const AddTiming add = MeasureAdds(install, 10, detail);
  if (!detail.empty()) {
    std::printf("measuring adds: %s\n", detail.c_str());
    return 1;
  }
  std::printf(
      "adds (10 files, no kill): %.1f ms apart, a journal lives up to %.1f ms, the batch takes %.1f ms\n",
      add.per_item_ms, add.journal_life_ms, add.batch_ms);

  std::mt19937 random(options.seed);
  std::vector<CrashRow> crashes;
  for (std::string_view step : core::kReplaceSteps) {
    crashes.push_back({"settings", std::string(step), RunSettingsCrash(install, step, random)});
    PrintLine("crash", "settings", crashes.back().step, crashes.back().outcome);
  }
  for (std::string_view step : core::kStoreSteps) {
    const int number = -static_cast<int>(crashes.size());  // batches of their own, apart from the trials'
    crashes.push_back({"items", std::string(step), RunItemCrash(install, step, options.batch, number)});
    PrintLine("crash", "items", crashes.back().step, crashes.back().outcome);
  }

  Tally settings_tally;
  Tally items_tally;
  for (int trial = 1; trial <= options.trials; ++trial) {
    const bool settings = trial % 2 == 1;
    const TrialOutcome outcome = settings ? RunSettingsTrial(install, save, random)
                                          : RunItemTrial(install, add, options.batch, trial, random);
    Tally& tally = settings ? settings_tally : items_tally;
    char label[32];
    std::snprintf(label, sizeof label, "trial %3d", trial);
    char where[64];
    std::snprintf(where, sizeof where, "kill at %7.1f ms  %s", outcome.delay_ms,
                  outcome.ran ? KillPointName(outcome.point) : "-");
    PrintLine(label, settings ? "settings" : "items", where, outcome);
    if (!outcome.ran) {
      ++tally.not_run;
      continue;
    }
    tally.delays.push_back(outcome.delay_ms);
    tally.kills.emplace_back(outcome.delay_ms, outcome.point);
    ++tally.points[outcome.point];
    tally.passed += outcome.passed;
  }
  std::printf("\n");
  PrintCrashTable(crashes);
  PrintTally("settings saves", settings_tally);
  PrintTally("item adds", items_tally);
  std::printf("committed items seen over the run: %zu\n", install.committed.size());
  const int run = static_cast<int>(settings_tally.delays.size() + items_tally.delays.size());
  const int passed = settings_tally.passed + items_tally.passed;
  // A run where many trials could not be set up says too little to pass.
  const bool enough = run * 20 >= options.trials * 19;
  const bool crashes_passed =
      std::all_of(crashes.begin(), crashes.end(), [](const CrashRow& row) { return row.outcome.passed; });
  return passed == run && enough && crashes_passed ? 0 : 1;
}
