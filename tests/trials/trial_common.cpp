#include "trials/trial_common.h"

#include <string>

#include "core/crash_point.h"
#include "trials/kill_trials.h"

namespace velora::trials {

Stopwatch::Stopwatch() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  ticks_per_ms_ = static_cast<double>(frequency.QuadPart) / 1000.0;
  QueryPerformanceCounter(&start_);
}

double Stopwatch::Elapsed() const {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) / ticks_per_ms_;
}

void Stopwatch::WaitUntil(double ms) const {
  while (Elapsed() < ms) YieldProcessor();
}

const char* KillPointName(KillPoint point) {
  switch (point) {
    case KillPoint::kBeforeWrite:
      return "before the write";
    case KillPoint::kDuringWrite:
      return "during the write";
    case KillPoint::kAfterWrite:
      return "after the write";
    case KillPoint::kBetweenAdds:
      return "between store writes";
  }
  return "?";
}

HWND ShownPanel(const e2e::VeloraProcess& velora) { return velora.WaitUntilReady(45000); }

std::unique_ptr<e2e::VeloraProcess> StartArmed(const std::filesystem::path& exe, std::string_view step) {
  const std::wstring name = L"VELORA_CRASH_AT";
  SetEnvironmentVariableW(name.c_str(), std::wstring(step.begin(), step.end()).c_str());
  auto velora = std::make_unique<e2e::VeloraProcess>(exe);
  SetEnvironmentVariableW(name.c_str(), nullptr);
  return velora;
}

void JudgeCrash(std::optional<DWORD> exit_code, KillPoint expected, const char* what, TrialOutcome& outcome) {
  if (exit_code != static_cast<DWORD>(core::kCrashExitCode)) {
    outcome.passed = false;
    outcome.detail = exit_code ? "ended with " + std::to_string(*exit_code) + ", not at the crash point"
                               : "did not end at the crash point in time";
  } else if (outcome.passed && outcome.point != expected) {
    outcome.passed = false;
    outcome.detail += std::string("; left ") + what + " " + KillPointName(outcome.point) + ", expected " +
                      KillPointName(expected);
  }
}

bool Exists(const std::filesystem::path& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace velora::trials
