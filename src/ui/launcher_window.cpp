#include "ui/launcher_window.h"

namespace velora::ui {

bool LauncherWindow::Create(HINSTANCE instance, LauncherHost& host) noexcept {
  host_ = &host;
  if (!RegisterClassOnce(instance, kLauncherClass)) return false;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - kLauncherWidth) / 2;
  const int top = work.top + (work.bottom - work.top - kLauncherHeight) / 2;
  return CreateWindowOf(instance, kLauncherClass, kLauncherTitle, WS_POPUP | WS_CLIPCHILDREN, 0,
                        {left, top, left + kLauncherWidth, top + kLauncherHeight}, nullptr);
}

LRESULT LauncherWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  switch (message) {
    case WM_CREATE:
      return host_->OnLauncherCreate(hwnd()) ? 0 : -1;
    case WM_NCHITTEST: {
      // The bare panel moves when its background is dragged.
      const LRESULT hit = Default(message, wparam, lparam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DESTROY:
      host_->OnLauncherDestroy();
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

void LauncherWindow::Paint() noexcept {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd(), &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EndPaint(hwnd(), &ps);
}

}  // namespace velora::ui
