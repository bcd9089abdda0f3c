#include "soak/process_figures.h"

#include <psapi.h>

namespace velora::soak {
namespace {

struct Count {
  DWORD process_id;
  int windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++reinterpret_cast<Count*>(param)->windows;
  return TRUE;
}

void CountWindowAndChildren(HWND window, Count& count) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != count.process_id) return;
  ++count.windows;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
  CountWindowAndChildren(window, *reinterpret_cast<Count*>(param));
  return TRUE;
}

}  // namespace

ProcessFigures ReadFigures(HANDLE process) {
  ProcessFigures figures;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    // Wine fills PrivateUsage only for the asking process; PagefileUsage is the same commit
    // charge on Windows.
    figures.private_bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  }
  Count count{GetProcessId(process)};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // EnumWindows leaves out the windows that only receive messages.
  for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;) {
    CountWindowAndChildren(w, count);
  }
  figures.windows = count.windows;
  return figures;
}

}  // namespace velora::soak
