#pragma once
// Where a summoned or shown panel goes: on the monitor it mostly lies on, sized for that
// monitor's DPI, never hanging off its left, top or right edge nor within 40 pixels of its
// bottom. Physical pixels throughout; a monitor's whole area counts, the taskbar's included.
#include <vector>

#include "ui/core_types.h"

namespace velora::ui {

// The correction of a window just moved to the pointer. Every test uses the offsets inside the
// monitor from before any change; when the window is wider than the monitor and its left edge
// sticks out, the left edge wins.
Rect KeepOnMonitor(Rect window, Rect monitor);

// The monitor `window` shares the most area with; when it overlaps none, the nearest one.
// `monitors` must not be empty.
std::size_t MonitorOf(Rect window, const std::vector<MonitorArea>& monitors);

struct Placement {
  Rect rect;
  int dpi = 96;
};

// A window of `design` size (96-DPI pixels) centred on the pointer and kept on its monitor, at
// the size that monitor's DPI gives it.
Placement PlaceAtPointer(Point pointer, Size design, const std::vector<MonitorArea>& monitors);

// A window of `design` size centred on the monitor that holds `point`.
Placement CentreOnMonitor(Point point, Size design, const std::vector<MonitorArea>& monitors);

}  // namespace velora::ui
