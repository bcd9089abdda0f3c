#pragma once
// Edge docking: a window left touching a screen edge slides off it when the pointer leaves,
// keeping a one-pixel strip on the screen, and comes back at once when the pointer touches
// the strip. Step functions for the window's timers: one check every period, one slide step
// every step delay.
#include <cstddef>
#include <optional>
#include <vector>

#include "ui/core_types.h"

namespace velora::ui {

inline constexpr int kDockCheckPeriodMs = 80;
inline constexpr int kDockStepDelayMs = 10;
inline constexpr int kDockHorizontalStep = 15;
inline constexpr int kDockVerticalStep = 30;

// Every position of the slide, in order, the last one the window's rest; empty when the window
// touches no edge. Left, right, top and bottom are tried in turn, each on the position the
// previous ones left, so a window in a corner first slides sideways, then up or down.
std::vector<Point> DockOffPath(const Rect& window, const Rect& screen);

// Where a window that lies partly off the screen goes back to; empty when it is all on it.
std::optional<Point> DockReturnPosition(const Rect& window, const Rect& screen);

class EdgeDocker {
 public:
  // Each check period. Returns where to move the window now, if anywhere.
  std::optional<Point> Check(const Rect& window, const Rect& screen, Point pointer);
  // Each step delay while sliding: the slide's next position.
  std::optional<Point> Step();
  bool sliding() const { return next_ < path_.size(); }
  // Docking switched off: a slide under way stops where it is.
  void Stop();

 private:
  std::vector<Point> path_;
  std::size_t next_ = 0;
};

}  // namespace velora::ui
