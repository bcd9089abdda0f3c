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

// As an editor's main window does, focus given to the window goes on to its first control.
LRESULT CALLBACK HandFocusToFirstControl(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETFOCUS) {
    if (HWND first = GetWindow(window, GW_CHILD)) SetFocus(first);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
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

OtherThreadWindow::OtherThreadWindow() {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this] {
    thread_id_ = GetCurrentThreadId();
    const InputWindow window(100, 400, 300, 100);
    first_ = window.AddChild(L"EDIT", {10, 10, 140, 40});
    second_ = window.AddChild(L"EDIT", {150, 10, 290, 40});
    hwnd_ = window.hwnd();
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HandFocusToFirstControl));
    SetFocus(first_);
    SetEvent(ready_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  });
  WaitForSingleObject(ready_, 5000);
}

OtherThreadWindow::~OtherThreadWindow() {
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  thread_.join();
  CloseHandle(ready_);
}

HWND OtherThreadWindow::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
}

RecordingWindow::RecordingWindow(RECT r, bool shown) {
  constexpr wchar_t kRecordingClass[] = L"VeloraRecordingWindow";
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), kRecordingClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &RecordingWindow::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kRecordingClass;
    RegisterClassExW(&wc);
  }
  hwnd_ =
      CreateWindowExW(0, kRecordingClass, L"recording", WS_POPUP | (shown ? WS_VISIBLE : 0), r.left, r.top,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

RecordingWindow::~RecordingWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

int RecordingWindow::Count(UINT message) const {
  return static_cast<int>(
      std::count_if(messages_.begin(), messages_.end(), [&](const MSG& m) { return m.message == message; }));
}

std::vector<MSG> RecordingWindow::Only(UINT first, UINT last) const {
  std::vector<MSG> found;
  for (const MSG& m : messages_) {
    if (m.message >= first && m.message <= last) found.push_back(m);
  }
  return found;
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  if (auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
    self->messages_.push_back(MSG{window, message, wparam, lparam, 0, {}});
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  if (message >= WM_APP) return kRecordingAnswer;
  return DefWindowProcW(window, message, wparam, lparam);
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
  return text;
}

}  // namespace velora::desktop::testing
