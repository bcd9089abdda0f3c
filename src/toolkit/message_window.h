#pragma once
// A hidden message-only window whose procedure reaches an object through GWLP_USERDATA; timers
// and animations run their window timers on one of these.
#include <windows.h>

namespace velora::toolkit {

// Registers `class_name` once and creates the window bound to `owner`; null when it failed.
HWND CreateMessageWindow(const wchar_t* class_name, WNDPROC procedure, void* owner) noexcept;

// The object a message window was created for, null once it was unbound.
template <typename Owner>
Owner* MessageWindowOwner(HWND window) noexcept {
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace velora::toolkit
