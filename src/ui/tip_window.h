#pragma once
// The small second window that shows hover tips; hidden until a tip is shown.
#include <windows.h>

#include "toolkit/base_window.h"

namespace velora::ui {

inline constexpr wchar_t kTipClass[] = L"VeloraTip";

class TipWindow : public toolkit::BaseWindow<TipWindow> {
 public:
  [[nodiscard]] bool Create(HINSTANCE instance, HWND launcher) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return Default(message, wparam, lparam);
  }
};

}  // namespace velora::ui
