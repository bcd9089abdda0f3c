#include "input_window.h"

namespace velora::desktop::testing {
namespace {

constexpr wchar_t kClass[] = L"VeloraDesktopTest";

void RegisterOnce() {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
}

}  // namespace

InputWindow::InputWindow(int x, int y, int width, int height) {
  RegisterOnce();
  hwnd_ = CreateWindowExW(0, kClass, L"desktop test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                          height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

InputWindow::~InputWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

HWND InputWindow::AddChild(const wchar_t* window_class, RECT r, DWORD style, HWND parent) const {
  return CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent ? parent : hwnd_, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
  return text;
}

}  // namespace velora::desktop::testing
