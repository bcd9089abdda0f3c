#include "trials/trial_common.h"
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

HWND ShownPanel(const e2e::VeloraProcess& velora) {
  HWND window = velora.WaitForWindow(30000);
  if (!window || !e2e::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 15000)) return nullptr;
  Sleep(300);  // the first paint
  return window;
}

bool Exists(const std::filesystem::path& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FILETIME> WriteTime(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data.ftLastWriteTime;
}

}  // namespace velora::trials
