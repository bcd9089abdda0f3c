#include "flipit/clock_layout.h"

#include <algorithm>
#include <cmath>

namespace velora::flipit {
namespace {

// Proportions of the card side (cards are square).
constexpr double kGap = 0.10;     // between the two cards
constexpr double kDigits = 0.70;  // em height of the digits
constexpr double kCorner = 0.07;
constexpr double kSplit = 0.011;
constexpr double kCaption = 0.085;      // em height of the date
constexpr double kCaptionSpace = 0.14;  // from the cards to the date
// Share of the area the cards may take.
constexpr double kMaxWidth = 0.86;
constexpr double kMaxHeight = 0.56;
// Below this (in points at the display's DPI) the date is left out.
constexpr int kSmallestCaptionPoints = 9;

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

ClockLayout LayOutClock(core::Rect area, int dpi) {
  ClockLayout layout;
  if (area.width <= 0 || area.height <= 0) return layout;

  const int side = static_cast<int>(std::min(area.width * kMaxWidth / (2 + kGap), area.height * kMaxHeight));
  if (side <= 0) return layout;
  const int gap = std::max(1, Round(side * kGap));

  layout.digit_height = Round(side * kDigits);
  layout.corner_radius = Round(side * kCorner);
  layout.split = std::max(core::Scale(1, dpi), Round(side * kSplit));

  const int caption_height = Round(side * kCaption);
  const bool with_caption = caption_height >= kSmallestCaptionPoints * dpi / 72;
  const int caption_space = with_caption ? Round(side * kCaptionSpace) : 0;
  const int caption_box = with_caption ? Round(caption_height * 1.5) : 0;

  const int group_width = 2 * side + gap;
  const int group_height = side + caption_space + caption_box;
  const int left = area.left + (area.width - group_width) / 2;
  const int top = area.top + (area.height - group_height) / 2;

  layout.cards[0] = {left, top, side, side};
  layout.cards[1] = {left + side + gap, top, side, side};
  if (with_caption) {
    layout.caption = {left, top + side + caption_space, group_width, caption_box};
    layout.caption_height = caption_height;
  }
  return layout;
}

}  // namespace velora::flipit
