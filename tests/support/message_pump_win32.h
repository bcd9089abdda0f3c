#pragma once
// The test programs' message pump: what a window under test needs while the test waits for it.
#include <windows.h>

#include <algorithm>

namespace velora::testing {

// Dispatches this thread's messages, key presses translated, until `done` holds or `timeout_ms`
// passes; true when it held.
template <typename Done>
bool PumpUntil(Done done, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                              QS_ALLINPUT);
  }
}

// Dispatches every message that arrives within `ms` milliseconds.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// Dispatches the messages already waiting.
inline void PumpPending() {
  PumpUntil([] { return true; }, 0);
}

}  // namespace velora::testing
