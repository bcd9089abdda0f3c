#pragma once
// Driving the settings panel from outside: its button on the command bar and its pages.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/velora_process.h"

namespace velora::e2e {

inline std::wstring ClassOf(HWND window) {
  wchar_t buffer[128] = {};
  GetClassNameW(window, buffer, 128);
  return buffer;
}

inline std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The settings panel's page tabs.
inline HWND Tabs(HWND window) {
  for (HWND child : Children(window)) {
    if (ClassOf(child) == L"SysTabControl32") return child;
  }
  return nullptr;
}

// Clicks the command bar's settings button (the fifth of six, from the window's right edge) and
// waits until the panel has opened or closed.
inline void ToggleSettings(HWND window, int dpi = 96) {
  HWND tabs = Tabs(window);
  const bool was_open = tabs && IsWindowVisible(tabs);
  RECT r{};
  GetWindowRect(window, &r);
  Click({r.right - MulDiv(200 - 133 - 12, dpi, 96), r.top + MulDiv(4 + 3 + 12, dpi, 96)});
  WaitUntil([&] { return (IsWindowVisible(tabs) != FALSE) != was_open; });
}

// The tabs stand one under the other in the strip on the left.
inline void ChooseTab(HWND window, int index, int dpi = 96) {
  HWND tabs = Tabs(window);
  RECT r{};
  GetWindowRect(tabs, &r);
  Click({r.left + MulDiv(26, dpi, 96), r.top + MulDiv(4 + 40 * index + 20, dpi, 96)});
  // Answered by the program's thread once the click, and the page switch it makes, are done.
  WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == index; });
}

}  // namespace velora::e2e
