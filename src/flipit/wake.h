#pragma once
// When a running screensaver gives way to the user. Windows sends a mouse move as soon as a
// window appears under the pointer, and a desk or a shaky hand nudges the mouse by a pixel or
// two; only a move of several pixels from where the pointer stood at the start is the user.
#include <optional>

#include "core/geometry.h"

namespace velora::flipit {

// Farther than this many design pixels (96 DPI) in either direction ends the screensaver.
inline constexpr int kWakeDistance = 4;

class MoveGuard {
 public:
  explicit MoveGuard(int dpi) : threshold_(core::Scale(kWakeDistance, dpi)) {}

  // Where the pointer stood when the screensaver started; without one, the first move reported
  // is taken as the start instead.
  void SetStart(core::Point screen) { start_ = screen; }

  // True when the pointer, now at `screen`, has moved far enough to end the screensaver.
  bool IsRealMove(core::Point screen);

 private:
  int threshold_;
  std::optional<core::Point> start_;
};

}  // namespace velora::flipit
