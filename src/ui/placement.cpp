#include "ui/placement.h"

#include <algorithm>
#include <limits>

namespace velora::ui {
namespace {

constexpr int kBottomClearance = 40;

long long Overlap(Rect a, Rect b) {
  const long long w = std::min(a.right(), b.right()) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from `p` to the nearest point of `r`.
long long DistanceSquared(Point p, Rect r) {
  const long long dx = p.x < r.left ? r.left - p.x : (p.x > r.right() ? p.x - r.right() : 0);
  const long long dy = p.y < r.top ? r.top - p.y : (p.y > r.bottom() ? p.y - r.bottom() : 0);
  return dx * dx + dy * dy;
}

Size SizeAt(Size design, int dpi) { return {Scale(design.width, dpi), Scale(design.height, dpi)}; }

Rect CentredOn(Point centre, Size size) {
  return {centre.x - size.width / 2, centre.y - size.height / 2, size.width, size.height};
}

std::size_t MonitorAt(Point point, const std::vector<MonitorArea>& monitors) {
  return MonitorOf({point.x, point.y, 1, 1}, monitors);
}

}  // namespace

Rect KeepOnMonitor(Rect window, Rect monitor) {
  const int dx = window.left - monitor.left;
  const int dy = window.top - monitor.top;
  Rect placed = window;
  if (monitor.width - dx - window.width < 0) placed.left = monitor.left + monitor.width - window.width;
  if (dx < 0) placed.left = monitor.left;
  if (dy < 0) placed.top = monitor.top;
  if (monitor.height - dy - (window.height + kBottomClearance) < 0) {
    placed.top = monitor.top + monitor.height - window.height;
  }
  return placed;
}

std::size_t MonitorOf(Rect window, const std::vector<MonitorArea>& monitors) {
  std::size_t best = 0;
  long long best_overlap = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long overlap = Overlap(window, monitors[i].bounds);
    if (overlap > best_overlap) best = i, best_overlap = overlap;
  }
  if (best_overlap > 0) return best;
  const Point centre{window.left + window.width / 2, window.top + window.height / 2};
  long long nearest = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long d = DistanceSquared(centre, monitors[i].bounds);
    if (d < nearest) best = i, nearest = d;
  }
  return best;
}

Placement PlaceAtPointer(Point pointer, Size design, const std::vector<MonitorArea>& monitors) {
  // Sized first for the monitor under the pointer; when the centred window mostly lies on a
  // monitor of another DPI, it is sized again for that one and kept there.
  const MonitorArea& under = monitors[MonitorAt(pointer, monitors)];
  Rect window = CentredOn(pointer, SizeAt(design, under.dpi));
  const MonitorArea& home = monitors[MonitorOf(window, monitors)];
  if (home.dpi != under.dpi) window = CentredOn(pointer, SizeAt(design, home.dpi));
  return {KeepOnMonitor(window, home.bounds), home.dpi};
}

Placement CentreOnMonitor(Point point, Size design, const std::vector<MonitorArea>& monitors) {
  const MonitorArea& home = monitors[MonitorAt(point, monitors)];
  const Rect& b = home.bounds;
  const Size size = SizeAt(design, home.dpi);
  const Rect window{b.left + (b.width - size.width) / 2, b.top + (b.height - size.height) / 2, size.width,
                    size.height};
  return {KeepOnMonitor(window, b), home.dpi};
}

}  // namespace velora::ui
