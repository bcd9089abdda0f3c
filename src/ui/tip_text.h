#pragma once
// What the hover tip shows and where: a long text is cut, and the tip sits below the pointer.
#include <cstddef>
#include <string>
#include <string_view>

#include "ui/core_types.h"

namespace velora::ui {

inline constexpr std::size_t kTipMaxBytes = 500;  // GBK bytes
inline constexpr std::string_view kTipEllipsis = "...";
inline constexpr int kTipMaxTextWidth = 150;  // measuring width of the tip font
inline constexpr int kTipPointerGap = 30;

// Whether a tip shows at all: not before start-up has completed, not while "关闭提示" is
// ticked, and never for an empty text.
bool TipShown(bool startup_complete, bool tips_off, bool on, std::string_view text);

// A text over the limit keeps its first whole characters that fit in it, then "...".
std::string TipText(std::string_view text);

struct TipPlacement {
  Rect label;   // in the tip window
  Rect window;  // on the screen
};

// `text_size` is the text measured in the tip font at the measuring width.
TipPlacement PlaceTip(Point pointer, Size text_size);

}  // namespace velora::ui
