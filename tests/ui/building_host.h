#pragma once
// A launcher host that builds the hidden parts once the panel has shown and does nothing else,
// and a message pump for a fixed time: what the in-process window tests share.
#include <windows.h>

#include "ui/launcher_window.h"

namespace velora::ui::testing {

class BuildingHost final : public LauncherHost {
 public:
  void Attach(LauncherWindow& window) { window_ = &window; }
  bool OnLauncherCreate(HWND) override { return true; }
  void OnLauncherShown() override { window_->BuildHiddenParts(); }
  void OnLauncherDestroy() override {}
  void OnSessionEnding() override {}
  void OnMenuCommand(MenuCommand) override {}
  void OnCategoryChanged() override {}
  void OnResizeFinished(Size) override {}

 private:
  LauncherWindow* window_ = nullptr;
};

inline void Pump(DWORD ms) {
  const ULONGLONG until = GetTickCount64() + ms;
  do {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  } while (GetTickCount64() < until);
}

}  // namespace velora::ui::testing
