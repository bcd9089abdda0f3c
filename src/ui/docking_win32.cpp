#include "ui/docking_win32.h"

namespace velora::ui {

void DockingDriver::Start() {
  timers_.Start(kCheckTimer, kDockCheckPeriodMs, [this] { Check(); });
}

void DockingDriver::Stop() {
  timers_.Stop(kCheckTimer);
  timers_.Stop(kStepTimer);
  docker_.Stop();
}

void DockingDriver::Check() {
  if (!IsWindowVisible(window_)) return;
  RECT r{};
  GetWindowRect(window_, &r);
  POINT pointer{};
  GetCursorPos(&pointer);
  const Rect window{r.left, r.top, r.right - r.left, r.bottom - r.top};
  const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const std::optional<Point> now = docker_.Check(window, screen, {pointer.x, pointer.y});
  if (now) MoveTo(*now);
  // A check during a slide may stop it (the pointer came back) or leave it running.
  if (!docker_.sliding()) {
    timers_.Stop(kStepTimer);
  } else if (!timers_.Running(kStepTimer)) {
    timers_.Start(kStepTimer, kDockStepDelayMs, [this] { SlideStep(); });
  }
}

void DockingDriver::SlideStep() {
  if (const std::optional<Point> next = docker_.Step()) MoveTo(*next);
  if (!docker_.sliding()) timers_.Stop(kStepTimer);
}

void DockingDriver::MoveTo(Point at) {
  SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velora::ui
