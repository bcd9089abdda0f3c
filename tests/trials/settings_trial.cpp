// Kills while the settings are saved. A finished resize of the panel saves the window size, so a
// drag of the grip with real input makes the program write the file, with a new size each time.
#include <algorithm>
#include <vector>

#include "core/crash_point.h"
#include "e2e/desktop_input.h"
#include "settings/atomic_file.h"
#include "settings/ini_document.h"
#include "settings/initial_settings.h"
#include "trials/kill_trials.h"
#include "trials/trial_common.h"

namespace velora::trials {
namespace {

// The panel's limits are 510 × 132 up to far beyond the virtual screen; these sizes keep the
// grip on the screen.
constexpr int kWidest = 700;
constexpr int kTallest = 420;

// A drag of the grip by a random step that changes both sides, held before the release.
bool HoldResize(HWND window, std::mt19937& random) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return false;
  std::uniform_int_distribution<int> step(25, 90);
  const int dx = r.right - r.left > kWidest - 90 ? -step(random) : step(random);
  const int dy = r.bottom - r.top > kTallest - 90 ? -step(random) : step(random);
  const POINT grip{r.right - 5, r.bottom - 5};
  e2e::Drag(grip, {grip.x + dx, grip.y + dy}, /*release=*/false);
  return true;
}

// The whole new file: the old one with only the window size changed to the panel's.
std::string NewFile(const std::string& old_bytes, SIZE panel) {
  settings::IniDocument rebuilt = settings::IniDocument::Parse(old_bytes);
  settings::WriteWindowSize(rebuilt, panel.cx, panel.cy);
  return rebuilt.Serialize();
}

struct Held {
  std::string old_bytes;
  std::string new_bytes;  // what a finished save writes
  std::string detail;
};

// Starts the copy and holds a resize of its panel; the caller releases it.
Held StartAndHold(const Install& install, const e2e::VeloraProcess& velora, std::mt19937& random) {
  Held held;
  HWND window = ShownPanel(velora);
  if (!window) {
    held.detail = "the panel did not show";
    return held;
  }
  const std::optional<std::string> old_bytes = settings::ReadFileBytes(install.settings_file);
  if (!old_bytes || old_bytes->empty()) {
    held.detail = "no settings file before the save";
    return held;
  }
  held.old_bytes = *old_bytes;
  RECT r{};
  if (!HoldResize(window, random) || !GetWindowRect(window, &r)) {
    held.detail = "the panel has no rectangle";
    return held;
  }
  // The panel follows the grip while it is held (full-window sizing), so its size is final.
  held.new_bytes = NewFile(held.old_bytes, {r.right - r.left, r.bottom - r.top});
  if (held.new_bytes == held.old_bytes) held.detail = "the resize left the panel's size as it was";
  return held;
}

// What the kill left: the file must be the old one or a whole new one.
TrialOutcome Judge(const Install& install, const Held& held) {
  TrialOutcome outcome;
  outcome.ran = true;
  const std::filesystem::path temporary = settings::AtomicFile::TemporaryPath(install.settings_file);
  const bool temporary_left = Exists(temporary);
  const std::optional<std::string> bytes = settings::ReadFileBytes(install.settings_file);
  if (!bytes) {
    outcome.detail = "the settings file is gone or unreadable";
  } else if (*bytes == held.old_bytes) {
    outcome.passed = true;
    outcome.point = temporary_left ? KillPoint::kDuringWrite : KillPoint::kBeforeWrite;
  } else if (*bytes == held.new_bytes) {
    outcome.passed = true;
    outcome.point = KillPoint::kAfterWrite;
  } else {
    outcome.detail = "the settings file is neither the old nor the new one (" +
                     std::to_string(bytes->size()) + " bytes; the old had " +
                     std::to_string(held.old_bytes.size()) + ", the new " +
                     std::to_string(held.new_bytes.size()) + ")";
  }
  // The next trial's evidence must be its own.
  if (temporary_left) DeleteFileW(temporary.c_str());
  return outcome;
}

}  // namespace

SaveTiming MeasureSave(const Install& install, int runs, std::string& detail) {
  SaveTiming timing;
  std::vector<double> begun;
  std::vector<double> done;
  std::mt19937 random(1);
  const std::filesystem::path temporary = settings::AtomicFile::TemporaryPath(install.settings_file);
  for (int run = 0; run < runs && detail.empty(); ++run) {
    e2e::VeloraProcess velora(install.exe);
    const Held held = StartAndHold(install, velora, random);
    if (!held.detail.empty()) {
      detail = held.detail;
      break;
    }
    const std::optional<FILETIME> before = e2e::FileWriteTime(install.settings_file);
    double begins = -1;
    double replaced = -1;
    const Stopwatch clock;
    e2e::ReleaseLeftButton();
    while (replaced < 0 && clock.Elapsed() < 5000) {
      if (begins < 0 && Exists(temporary)) begins = clock.Elapsed();
      const std::optional<FILETIME> now = e2e::FileWriteTime(install.settings_file);
      if (now && before && CompareFileTime(&*now, &*before) != 0) replaced = clock.Elapsed();
      SwitchToThread();
    }
    if (!velora.Kill()) detail = "the copy would not end";
    if (replaced < 0) {
      detail = "a resize saved nothing within 5 s";
      break;
    }
    const std::optional<std::string> bytes = settings::ReadFileBytes(install.settings_file);
    if (!bytes || *bytes != held.new_bytes) {
      detail = "a finished save is not the old file with the panel's new size";
    }
    // Polling may miss a write shorter than one look: then it began no later than it ended.
    begun.push_back(begins < 0 ? replaced : begins);
    done.push_back(replaced);
  }
  if (done.empty()) return timing;
  std::sort(done.begin(), done.end());
  timing.write_begins_ms = *std::min_element(begun.begin(), begun.end());
  timing.typical_replaced_ms = done[done.size() / 2];
  timing.replaced_ms = done.back();
  return timing;
}

TrialOutcome RunSettingsTrial(const Install& install, const SaveTiming& timing, std::mt19937& random) {
  e2e::VeloraProcess velora(install.exe);
  const Held held = StartAndHold(install, velora, random);
  if (!held.detail.empty()) {
    e2e::ReleaseLeftButton();
    TrialOutcome outcome;
    outcome.detail = held.detail;
    return outcome;
  }
  // Half the kills anywhere from the release to well past a typical save, half inside the
  // measured write itself. A loaded machine makes a save now and then far slower than typical;
  // aiming at those would put nearly every kill before the write.
  const bool inside = std::uniform_int_distribution<int>(0, 1)(random) == 1;
  std::uniform_real_distribution<double> anywhere(0.0, timing.typical_replaced_ms * 1.5 + 2.0);
  std::uniform_real_distribution<double> in_write(std::max(0.0, timing.write_begins_ms - 1.0),
                                                  timing.typical_replaced_ms + 1.0);
  const double delay = inside ? in_write(random) : anywhere(random);
  const Stopwatch clock;
  e2e::ReleaseLeftButton();
  clock.WaitUntil(delay);
  const bool ended = velora.Kill();
  TrialOutcome outcome = Judge(install, held);
  outcome.delay_ms = delay;
  if (!ended) {
    outcome.passed = false;
    outcome.detail = "the copy would not end";
  }
  return outcome;
}

TrialOutcome RunSettingsCrash(const Install& install, std::string_view step, std::mt19937& random) {
  const std::unique_ptr<e2e::VeloraProcess> velora = StartArmed(install.exe, step);
  const Held held = StartAndHold(install, *velora, random);
  e2e::ReleaseLeftButton();
  TrialOutcome outcome;
  if (!held.detail.empty()) {
    outcome.detail = held.detail;
    return outcome;
  }
  const std::optional<DWORD> exit_code = velora->WaitForExit(10000);
  outcome = Judge(install, held);
  // Up to the rename the old file must stand; from it on, the whole new one.
  const KillPoint expected =
      step == core::crash_step::kRenamed ? KillPoint::kAfterWrite : KillPoint::kDuringWrite;
  JudgeCrash(exit_code, expected, "the file", outcome);
  return outcome;
}

}  // namespace velora::trials
