#include <windows.h>

#include "core/crash_point.h"

namespace velora::core {

// As the task manager ends a process: no DLL is told, nothing more reaches the disk.
[[noreturn]] void EndProcessAtCrashPoint() noexcept {
  TerminateProcess(GetCurrentProcess(), kCrashExitCode);
  for (;;) Sleep(INFINITE);
}

}  // namespace velora::core
