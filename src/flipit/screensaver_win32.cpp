#include "flipit/screensaver_win32.h"

#include "core/guarded.h"
#include "flipit/resource_ids.h"
#include "flipit/texts.h"
#include "text/utf.h"

namespace velora::flipit {
namespace {

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) noexcept {
  return core::Guarded(
      "about dialog",
      [&]() -> INT_PTR {
        switch (message) {
          case WM_INITDIALOG:
            SetWindowTextW(dialog, text::Widen(kTitle).c_str());
            SetDlgItemTextW(dialog, IDC_ABOUT_HEADING, text::Widen(kTitle).c_str());
            SetDlgItemTextW(dialog, IDC_ABOUT_TEXT, text::Widen(kAboutText).c_str());
            SetDlgItemTextW(dialog, IDC_ABOUT_NO_OPTIONS, text::Widen(kAboutNoOptions).c_str());
            SetDlgItemTextW(dialog, IDOK, text::Widen(kOk).c_str());
            return TRUE;
          case WM_COMMAND:
            if (LOWORD(wparam) != IDOK && LOWORD(wparam) != IDCANCEL) return FALSE;
            EndDialog(dialog, LOWORD(wparam));
            return TRUE;
          default:
            return FALSE;
        }
      },
      []() -> INT_PTR { return FALSE; });
}

std::vector<RECT> MonitorRects() {
  std::vector<RECT> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT rect, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<RECT>*>(param)->push_back(*rect);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    monitors.push_back({GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)});
  }
  return monitors;
}

HWND AsWindow(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

}  // namespace

int ScreenSaver::Run(const Invocation& invocation) {
  if (invocation.mode == Mode::kConfigure) {
    ShowAbout(AsWindow(invocation.window));
    return 0;
  }
  if (!gdiplus_.ok()) return 1;
  const bool shown =
      invocation.mode == Mode::kPreview ? ShowPreview(AsWindow(invocation.window)) : ShowFullScreen();
  if (!shown) return 1;
  const int code = RunMessageLoop();
  windows_.clear();
  return code;
}

bool ScreenSaver::ShowFullScreen() {
  POINT cursor{};
  GetCursorPos(&cursor);
  for (const RECT& monitor : MonitorRects()) {
    auto window = std::make_unique<ClockWindow>();
    if (window->CreateFullScreen(instance_, monitor, cursor, gdiplus_)) windows_.push_back(std::move(window));
  }
  if (windows_.empty()) return false;
  SetForegroundWindow(windows_.front()->hwnd());
  SetFocus(windows_.front()->hwnd());
  return true;
}

bool ScreenSaver::ShowPreview(HWND parent) {
  auto window = std::make_unique<ClockWindow>();
  if (!window->CreatePreview(instance_, parent, gdiplus_)) return false;
  windows_.push_back(std::move(window));
  return true;
}

void ScreenSaver::ShowAbout(HWND owner) const {
  if (owner && !IsWindow(owner)) owner = nullptr;
  (void)DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProcedure, 0);
}

int ScreenSaver::RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace velora::flipit
