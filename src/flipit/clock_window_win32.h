#pragma once
// One window showing the clock: full screen on a monitor, ended by the user's input, or the
// preview inside the small window of the screensaver settings. Ending or losing the window
// ends the message loop.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "flipit/clock_view_win32.h"
#include "flipit/flip.h"
#include "flipit/wake.h"
#include "toolkit/base_window.h"
#include "toolkit/gdiplus.h"

namespace velora::flipit {

inline constexpr wchar_t kClockClass[] = L"VeloraFlipIt";

class ClockWindow : public toolkit::BaseWindow<ClockWindow> {
 public:
  ClockWindow() = default;
  ~ClockWindow() { Destroy(); }

  // Topmost and covering `monitor` (screen pixels); `cursor` is where the pointer stood when
  // the screensaver started.
  [[nodiscard]] bool CreateFullScreen(HINSTANCE instance, const RECT& monitor, POINT cursor,
                                      const toolkit::GdiplusSession& gdiplus) noexcept;
  // A child filling the client area of `parent`.
  [[nodiscard]] bool CreatePreview(HINSTANCE instance, HWND parent,
                                   const toolkit::GdiplusSession& gdiplus) noexcept;

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  [[nodiscard]] bool CreateOf(HINSTANCE instance, DWORD style, DWORD ex_style, const RECT& rect,
                              HWND parent) noexcept;
  void Relayout();
  void Tick();
  // The user is back: every window goes with the message loop.
  void End();
  bool EndsOnInput(UINT message, LPARAM lparam);

  bool full_screen_ = false;
  POINT start_cursor_{};
  std::optional<MoveGuard> move_guard_;
  ClockView view_;
  std::array<FlipCard, 2> cards_;
  std::string caption_;
  bool ended_ = false;
};

}  // namespace velora::flipit
