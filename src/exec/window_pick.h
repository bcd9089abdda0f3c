#pragma once
// Which child window the pointer means when the system's hit test found one whose later siblings
// overlap it: a group box, for instance, covers the controls inside it.
#include <cstddef>
#include <optional>
#include <span>

#include "core/geometry.h"

namespace velora::exec {

struct SiblingWindow {
  core::Rect rect;  // screen pixels
  bool visible = false;
  bool same_parent = false;  // shares the first window's parent
};

// Among `following` (the siblings after the hit window, in z-order), the visible one sharing the
// parent that contains `pointer` with the smallest area, the first of equals; it must be strictly
// smaller than the hit window. Empty when the hit window itself stays the pick.
std::optional<std::size_t> PickSmallerSibling(core::Point pointer, core::Rect hit,
                                              std::span<const SiblingWindow> following);

}  // namespace velora::exec
