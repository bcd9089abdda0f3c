#pragma once
// Kill trials: a private copy of Velora.exe is ended by TerminateProcess while it saves its
// settings or adds dropped items, and what it leaves on disk is checked each time.
#include <windows.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <string_view>

namespace velora::trials {

// Milliseconds from a fixed start, finer than the tick count.
class Stopwatch {
 public:
  Stopwatch();
  double Elapsed() const;
  // Spins (a sleep is too coarse) until `ms` after the start.
  void WaitUntil(double ms) const;

 private:
  LARGE_INTEGER start_{};
  double ticks_per_ms_ = 1;
};

// The copy every trial starts, with its data folder; it lives as long as the run.
struct Install {
  std::filesystem::path exe;
  std::filesystem::path settings_file;
  std::filesystem::path store_file;
  std::filesystem::path drops;  // the files that batches drop
  // Every item path the driver saw committed in the store, over all trials so far.
  std::set<std::string> committed;
};

// Where a kill landed, told by what it left on disk.
enum class KillPoint {
  kBeforeWrite,  // nothing of the write was on disk yet
  kDuringWrite,  // the settings' temporary file or the store's rollback journal was left behind
  kAfterWrite,   // the new settings were in place
  kBetweenAdds,  // items were being added, but no store write was under way
};
const char* KillPointName(KillPoint point);

struct TrialOutcome {
  bool ran = false;  // false: the trial could not be set up (the program did not start, say)
  bool passed = false;
  KillPoint point = KillPoint::kBeforeWrite;
  double delay_ms = 0;  // from the release (settings) or the drop (items) to the kill
  std::string detail;   // what failed, or what could not be set up
};

// How long the program takes, measured by runs without a kill; kill delays are drawn over these
// windows.
// Each from the release of the resize grip, over the measured runs.
struct SaveTiming {
  double write_begins_ms = 0;      // the temporary file appears, earliest
  double typical_replaced_ms = 0;  // the new file is in place, median
  double replaced_ms = 0;          // the new file is in place, latest
};
struct AddTiming {
  double per_item_ms = 0;      // between two items of one drop
  double journal_life_ms = 0;  // how long a rollback journal stays, the longest seen
  double batch_ms = 0;         // drop to the last item of the batch committed
};

// Clean saves (no kill): the time each takes, and whether the driver's idea of the new file
// matched the file written. Empty detail on success.
SaveTiming MeasureSave(const Install& install, int runs, std::string& detail);
AddTiming MeasureAdds(Install& install, int items, std::string& detail);

// The copy ends itself at the crash point `step` (core/crash_point.h) of a save or an add, and
// what it left must be what that step allows.
TrialOutcome RunSettingsCrash(const Install& install, std::string_view step, std::mt19937& random);
TrialOutcome RunItemCrash(Install& install, std::string_view step, int batch, int number);

TrialOutcome RunSettingsTrial(const Install& install, const SaveTiming& timing, std::mt19937& random);
TrialOutcome RunItemTrial(Install& install, const AddTiming& timing, int batch, int number,
                          std::mt19937& random);

}  // namespace velora::trials
