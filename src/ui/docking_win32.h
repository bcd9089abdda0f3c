#pragma once
// Edge docking on the launcher window: a check every period while it is on, and the slide off
// the edge in steps, both from timers, so the window keeps answering while it slides.
#include <windows.h>

#include "toolkit/timers.h"
#include "ui/edge_docking.h"

namespace velora::ui {

class DockingDriver {
 public:
  explicit DockingDriver(HWND window) : window_(window) {}

  void Start();
  void Stop();
  bool running() const { return timers_.Running(kCheckTimer); }

 private:
  static constexpr UINT_PTR kCheckTimer = 1;
  static constexpr UINT_PTR kStepTimer = 2;
  void Check();
  void SlideStep();
  void MoveTo(Point at);

  HWND window_;
  EdgeDocker docker_;
  toolkit::Timers timers_;
};

}  // namespace velora::ui
