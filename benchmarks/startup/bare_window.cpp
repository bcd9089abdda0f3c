// The floor Velora is measured against: a program that starts the same system libraries (common
// controls, GDI+) and shows one popup window of the panel's size, which F9 hides and shows again
// (the summon benchmark's hotkey), nothing else.
#include <windows.h>

#include <commctrl.h>

// GDI+ headers need min/max and the COM IStream declarations first.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <objidl.h>

#include <gdiplus.h>

namespace {

constexpr wchar_t kClassName[] = L"VeloraBareWindow";
constexpr int kWidth = 510;
constexpr int kHeight = 311;
constexpr int kHotkeyId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_HOTKEY) {
    ShowWindow(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOW);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&controls)) return 1;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  int code = 1;
  if (RegisterClassExW(&window_class)) {
    // Velora's panel style: a popup with a sizing border.
    HWND window = CreateWindowExW(0, kClassName, L"Bare window", WS_POPUP | WS_THICKFRAME, 100, 100, kWidth,
                                  kHeight, nullptr, nullptr, instance, nullptr);
    if (window) {
      // Velora registers its hotkey at start-up too; a key held elsewhere only fails the summons.
      RegisterHotKey(window, kHotkeyId, 0, VK_F9);
      ShowWindow(window, SW_SHOW);
      MSG message{};
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      code = 0;
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return code;
}
