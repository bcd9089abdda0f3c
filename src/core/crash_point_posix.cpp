#include <cstdlib>

#include "core/crash_point.h"

namespace velora::core {

[[noreturn]] void EndProcessAtCrashPoint() noexcept { std::_Exit(kCrashExitCode); }

}  // namespace velora::core
