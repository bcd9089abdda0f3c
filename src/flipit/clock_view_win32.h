#pragma once
// Draws the clock of one window into a back buffer the size of its client area; painting only
// copies from it, so nothing flickers. A card face is drawn once per value and size, and a
// flip frame is put together from faces with plain copies.
#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/geometry.h"
#include "flipit/clock_layout.h"
#include "flipit/flip.h"
#include "toolkit/gdi_objects.h"

namespace velora::flipit {

class ClockView {
 public:
  // Lays the clock out for a client area of `size` on a display of `dpi` and draws it all again
  // at the next Update.
  void Resize(HWND window, core::Size size, int dpi);

  // Draws what differs from the last update and invalidates those parts of `window`.
  void Update(HWND window, const std::array<FlipFrame, 2>& cards, const std::string& caption);

  // Copies `area` of the back buffer to `dc`.
  void Paint(HDC dc, const RECT& area) const;

  const ClockLayout& layout() const { return layout_; }

 private:
  void DrawBackground();
  void DrawCaption(const std::string& caption);
  void DrawCard(const core::Rect& card, const FlipFrame& frame);
  const toolkit::OffscreenSurface& Face(const std::string& value);
  void ForgetUnusedFaces(const std::array<FlipFrame, 2>& cards);

  HWND window_ = nullptr;
  core::Size size_;
  ClockLayout layout_;
  std::unique_ptr<toolkit::OffscreenSurface> back_;
  toolkit::UniqueFont digits_font_;
  toolkit::UniqueFont caption_font_;
  std::map<std::string, std::unique_ptr<toolkit::OffscreenSurface>> faces_;
  // What the back buffer holds; empty after a resize, so everything is drawn.
  std::array<std::optional<FlipFrame>, 2> drawn_cards_;
  std::optional<std::string> drawn_caption_;
};

}  // namespace velora::flipit
