#pragma once
// One class per window: the static procedure binds `this` on WM_NCCREATE and forwards every
// message to the derived class's HandleMessage. The object owns its HWND.
//
// A derived class destroys its window in its own destructor (Destroy), while every member its
// WM_DESTROY handler touches is still alive. The base destructor is only the safety net: it
// unbinds first, so the messages of a late destruction never reach a half-destroyed object.
#include <windows.h>

#include "core/guarded.h"

namespace velora::toolkit {

template <typename Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  ~BaseWindow() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }

  HWND hwnd() const noexcept { return hwnd_; }

  // Destroys the window now; its WM_DESTROY runs on the whole object. Safe to call twice.
  void Destroy() noexcept {
    if (hwnd_) DestroyWindow(hwnd_);
  }

 protected:
  static bool RegisterClassOnce(HINSTANCE instance, const wchar_t* class_name, UINT style = 0) noexcept {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, class_name, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &BaseWindow::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = class_name;
    return RegisterClassExW(&wc) != 0;
  }

  bool CreateWindowOf(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title, DWORD style,
                      DWORD ex_style, RECT rect, HWND owner) noexcept {
    return CreateWindowExW(ex_style, class_name, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, owner, nullptr, instance, this) != nullptr;
  }

  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      self = static_cast<Derived*>(static_cast<BaseWindow*>(create->lpCreateParams));
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    const LRESULT result = core::Guarded(
        "window procedure", [&] { return self->HandleMessage(message, wparam, lparam); },
        [&] { return DefWindowProcW(hwnd, message, wparam, lparam); });
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;
};

}  // namespace velora::toolkit
