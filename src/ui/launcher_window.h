#pragma once
// The launcher window: the frameless panel whose creation drives the whole start-up.
#include <windows.h>

#include "toolkit/base_window.h"

namespace velora::ui {

inline constexpr wchar_t kLauncherClass[] = L"Velora";
inline constexpr wchar_t kLauncherTitle[] = L"Velora";
inline constexpr int kLauncherWidth = 510;
inline constexpr int kLauncherHeight = 311;

// What the window asks of the program that owns it.
class LauncherHost {
 public:
  virtual ~LauncherHost() = default;
  // The start-up sequence; false stops the creation (a second copy handed over).
  virtual bool OnLauncherCreate(HWND window) = 0;
  virtual void OnLauncherDestroy() = 0;
};

class LauncherWindow : public toolkit::BaseWindow<LauncherWindow> {
 public:
  [[nodiscard]] bool Create(HINSTANCE instance, LauncherHost& host) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) noexcept;

 private:
  void Paint() noexcept;

  LauncherHost* host_ = nullptr;
};

}  // namespace velora::ui
