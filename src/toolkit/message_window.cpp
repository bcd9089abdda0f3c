#include "toolkit/message_window.h"

namespace velora::toolkit {

HWND CreateMessageWindow(const wchar_t* class_name, WNDPROC procedure, void* owner) noexcept {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, class_name, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = class_name;
    if (!RegisterClassExW(&wc)) return nullptr;
  }
  HWND window = CreateWindowExW(0, class_name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return window;
}

}  // namespace velora::toolkit
