#include "app/single_instance_win32.h"

namespace velora::app {

bool SingleInstance::Acquire() noexcept {
  if (event_) return true;
  if (const core::UniqueHandle other(OpenEventW(EVENT_ALL_ACCESS, FALSE, name_.c_str())); other) return false;
  event_.reset(CreateEventW(nullptr, FALSE, FALSE, name_.c_str()));
  if (event_ && GetLastError() == ERROR_ALREADY_EXISTS) {  // lost a race with another start
    Release();
    return false;
  }
  return event_ != nullptr;
}

void SingleInstance::Release() noexcept { event_.reset(); }

void BringRunningCopyForward(HWND own_window, const wchar_t* class_name, const wchar_t* title) noexcept {
  if (own_window) SetWindowTextW(own_window, L"");
  HWND running = FindWindowExW(nullptr, nullptr, class_name, title);
  if (!running) return;
  ShowWindowAsync(running, SW_SHOWNORMAL);
  SetForegroundWindow(running);
  constexpr UINT kKeepRect = SWP_NOSIZE | SWP_NOMOVE;
  SetWindowPos(running, HWND_TOPMOST, 0, 0, 0, 0, kKeepRect);
  SetWindowPos(running, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepRect);
}

}  // namespace velora::app
