#include "flipit/clock_window_win32.h"

#include <windowsx.h>

#include "core/handles_win32.h"
#include "flipit/clock_face.h"
#include "flipit/texts.h"
#include "text/utf.h"

namespace velora::flipit {
namespace {

constexpr UINT_PTR kTickTimer = 1;
// About 60 frames a second while a card flips.
constexpr UINT kFrameMilliseconds = 15;

double NowMilliseconds() {
  LARGE_INTEGER frequency{}, counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LocalTime ToLocalTime(const SYSTEMTIME& now) {
  return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute};
}

}  // namespace

bool ClockWindow::CreateFullScreen(HINSTANCE instance, const RECT& monitor, POINT cursor,
                                   const toolkit::GdiplusSession&) noexcept {
  full_screen_ = true;
  start_cursor_ = cursor;
  if (!CreateOf(instance, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, monitor, nullptr))
    return false;
  move_guard_.emplace(static_cast<int>(GetDpiForWindow(hwnd())));
  move_guard_->SetStart({cursor.x, cursor.y});
  return true;
}

bool ClockWindow::CreatePreview(HINSTANCE instance, HWND parent, const toolkit::GdiplusSession&) noexcept {
  RECT area{};
  if (!IsWindow(parent) || !GetClientRect(parent, &area)) return false;
  return CreateOf(instance, WS_CHILD | WS_VISIBLE, 0, area, parent);
}

bool ClockWindow::CreateOf(HINSTANCE instance, DWORD style, DWORD ex_style, const RECT& rect,
                           HWND parent) noexcept {
  if (!RegisterClassOnce(instance, kClockClass)) return false;
  const std::wstring title = text::Widen(kTitle);
  return CreateWindowOf(instance, kClockClass, title.c_str(), style, ex_style, rect, parent);
}

LRESULT ClockWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (EndsOnInput(message, lparam)) {
    End();
    return 0;
  }
  switch (message) {
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_DPICHANGED:
      // A full-screen window keeps covering its monitor; the drawing and the move threshold
      // follow the new DPI.
      if (move_guard_) {
        move_guard_.emplace(static_cast<int>(HIWORD(wparam)));
        move_guard_->SetStart({start_cursor_.x, start_cursor_.y});
      }
      Relayout();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const core::PaintScope paint(hwnd());
      view_.Paint(paint.dc(), paint.area());
      return 0;
    }
    case WM_TIMER:
      if (wparam == kTickTimer) Tick();
      return 0;
    case WM_SETCURSOR:
      if (!full_screen_) break;
      SetCursor(nullptr);
      return TRUE;
    case WM_ACTIVATEAPP:
      // Another program came to the front: the user is at work again.
      if (full_screen_ && !wparam) End();
      break;
    case WM_SYSCOMMAND:
      if (full_screen_ && ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_MONITORPOWER))
        return 0;
      break;
    case WM_CLOSE:
      if (!full_screen_) break;
      End();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kTickTimer);
      End();
      return 0;
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

bool ClockWindow::EndsOnInput(UINT message, LPARAM lparam) {
  if (!full_screen_) return false;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      return true;
    case WM_MOUSEMOVE: {
      if (!move_guard_) return false;
      POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(hwnd(), &at);
      return move_guard_->IsRealMove({at.x, at.y});
    }
    default:
      return false;
  }
}

void ClockWindow::Relayout() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  view_.Resize(hwnd(), {client.right - client.left, client.bottom - client.top},
               static_cast<int>(GetDpiForWindow(hwnd())));
  Tick();
}

void ClockWindow::Tick() {
  const double now = NowMilliseconds();
  SYSTEMTIME local{};
  GetLocalTime(&local);
  const ClockFace face = FaceAt(ToLocalTime(local));
  for (std::size_t i = 0; i < cards_.size(); ++i) cards_[i].Show(face.cards[i], now);
  view_.Update(hwnd(), {cards_[0].Frame(now), cards_[1].Frame(now)}, face.caption);
  const bool flipping = cards_[0].Flipping(now) || cards_[1].Flipping(now);
  // Frames while a card flips; otherwise just after the next second begins, so a new minute
  // shows at once.
  SetTimer(hwnd(), kTickTimer, flipping ? kFrameMilliseconds : 1000u - local.wMilliseconds + 5u, nullptr);
}

void ClockWindow::End() {
  if (ended_) return;
  ended_ = true;
  PostQuitMessage(0);
}

}  // namespace velora::flipit
