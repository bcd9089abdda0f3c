#include "core/crash_point.h"

#include <cstdlib>

namespace velora::core {

// Ends the process at once: no destructor, no flush, no clean-up (crash_point_win32/_posix).
[[noreturn]] void EndProcessAtCrashPoint() noexcept;

#if VELORA_DEBUG_CHECKS
std::string_view ArmedCrashStep() noexcept {
  const char* armed = std::getenv("VELORA_CRASH_AT");
  return armed ? std::string_view(armed) : std::string_view();
}

void CrashPoint(std::string_view step) noexcept {
  if (!step.empty() && ArmedCrashStep() == step) EndProcessAtCrashPoint();
}
#endif

}  // namespace velora::core
