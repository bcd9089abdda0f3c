#include "exec/window_pick.h"

namespace velora::exec {
namespace {

bool Contains(core::Rect rect, core::Point point) {
  return point.x >= rect.left && point.x < rect.right() && point.y >= rect.top && point.y < rect.bottom();
}

long long Area(core::Rect rect) { return static_cast<long long>(rect.width) * rect.height; }

}  // namespace

std::optional<std::size_t> PickSmallerSibling(core::Point pointer, core::Rect hit,
                                              std::span<const SiblingWindow> following) {
  std::optional<std::size_t> best;
  long long best_area = Area(hit);
  for (std::size_t i = 0; i < following.size(); ++i) {
    const SiblingWindow& sibling = following[i];
    if (!sibling.visible || !sibling.same_parent || !Contains(sibling.rect, pointer)) continue;
    if (const long long area = Area(sibling.rect); area < best_area) {
      best = i;
      best_area = area;
    }
  }
  return best;
}

}  // namespace velora::exec
