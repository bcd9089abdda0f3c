#pragma once
// Where the clock goes in an area (a monitor, or the small preview): two cards, hours and
// minutes, side by side and centred, with the date under them when there is room to read it.
// Every size follows the area, so the clock fills a 4K monitor as it fills the preview, and
// is drawn at the monitor's own pixels.
#include <array>

#include "core/geometry.h"

namespace velora::flipit {

struct ClockLayout {
  std::array<core::Rect, 2> cards{};  // hours, minutes
  int digit_height = 0;               // em height of the digits, in pixels
  int corner_radius = 0;
  int split = 0;         // the gap between a card's two halves
  core::Rect caption{};  // empty when the date would be too small to read
  int caption_height = 0;
};

// `area` in device pixels; `dpi` of its display (96 = 100 %).
ClockLayout LayOutClock(core::Rect area, int dpi);

}  // namespace velora::flipit
