#include "ui/edge_docking.h"

namespace velora::ui {
namespace {

// The window slides while more than this much of it is still on the screen.
constexpr int kSlideUntil = 3;
constexpr int kStrip = 1;

// Moves one coordinate by `step` while `more` holds, recording each position, then puts it at
// `rest`.
template <typename More>
void Slide(std::vector<Point>& path, Point& at, int Point::*axis, int step, More more, int rest) {
  while (more(at.*axis)) {
    at.*axis += step;
    path.push_back(at);
  }
  if (at.*axis != rest) {
    at.*axis = rest;
    path.push_back(at);
  }
}

}  // namespace

std::vector<Point> DockOffPath(const Rect& window, const Rect& screen) {
  std::vector<Point> path;
  Point at{window.left, window.top};
  const int w = window.width;
  const int h = window.height;
  if (at.x == screen.left) {
    const int floor = screen.left + kSlideUntil - w;
    Slide(
        path, at, &Point::x, -kDockHorizontalStep, [&](int x) { return x > floor; },
        screen.left + kStrip - w);
  }
  if (at.x == screen.right() - w) {
    const int ceiling = screen.right() - kSlideUntil;
    Slide(
        path, at, &Point::x, kDockHorizontalStep, [&](int x) { return x < ceiling; },
        screen.right() - kStrip);
  }
  if (at.y == screen.top) {
    const int floor = screen.top + kSlideUntil - h;
    Slide(
        path, at, &Point::y, -kDockVerticalStep, [&](int y) { return y > floor; }, screen.top + kStrip - h);
  }
  if (at.y == screen.bottom() - h) {
    const int ceiling = screen.bottom() - kSlideUntil;
    Slide(
        path, at, &Point::y, kDockVerticalStep, [&](int y) { return y < ceiling; }, screen.bottom() - kStrip);
  }
  return path;
}

std::optional<Point> DockReturnPosition(const Rect& window, const Rect& screen) {
  Point at{window.left, window.top};
  if (at.x < screen.left) at.x = screen.left;
  if (at.x > screen.right() - window.width) at.x = screen.right() - window.width;
  if (at.y < screen.top) at.y = screen.top;
  if (at.y > screen.bottom() - window.height) at.y = screen.bottom() - window.height;
  if (at.x == window.left && at.y == window.top) return std::nullopt;
  return at;
}

std::optional<Point> EdgeDocker::Check(const Rect& window, const Rect& screen, Point pointer) {
  const bool inside = pointer.x >= window.left && pointer.x < window.right() && pointer.y >= window.top &&
                      pointer.y < window.bottom();
  if (inside) {
    // Reaching for the window stops a slide under way, too.
    Stop();
    return DockReturnPosition(window, screen);
  }
  if (sliding()) return std::nullopt;
  path_ = DockOffPath(window, screen);
  next_ = 0;
  return Step();
}

std::optional<Point> EdgeDocker::Step() {
  if (!sliding()) return std::nullopt;
  return path_[next_++];
}

void EdgeDocker::Stop() {
  path_.clear();
  next_ = 0;
}

}  // namespace velora::ui
