#include "ui/tip_window.h"

namespace velora::ui {

bool TipWindow::Create(HINSTANCE instance, HWND launcher) noexcept {
  if (!RegisterClassOnce(instance, kTipClass)) return false;
  return CreateWindowOf(instance, kTipClass, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                        {50, 50, 50 + 380, 50 + 250}, launcher);
}

}  // namespace velora::ui
