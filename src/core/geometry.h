#pragma once
// Plain geometry shared by the controls and the window logic; design pixels at 96 DPI unless a
// name says otherwise.
namespace velora::core {

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// A display monitor: its whole area in virtual-screen pixels, the taskbar's included.
struct MonitorArea {
  Rect bounds;
  int dpi = 96;
};

// Design pixels to device pixels for a display of `dpi` (96 = 100 %), rounded to nearest.
constexpr int Scale(int design, int dpi) {
  const long long scaled = static_cast<long long>(design) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

constexpr Rect Scale(Rect r, int dpi) {
  return {Scale(r.left, dpi), Scale(r.top, dpi), Scale(r.width, dpi), Scale(r.height, dpi)};
}

}  // namespace velora::core
