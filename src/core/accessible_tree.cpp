#include "core/accessible_tree.h"

namespace velora::core {

std::uint32_t StateBits(const AccessibleNode& node) {
  using namespace accessible_state;
  std::uint32_t bits = 0;
  if (node.selectable) bits |= kSelectable;
  if (node.selected) bits |= kSelected;
  if (node.focusable) bits |= kFocusable;
  if (node.focused) bits |= kFocused;
  if (node.checked) bits |= kChecked;
  if (node.offscreen) bits |= kOffscreen;
  return bits;
}

std::optional<int> Navigate(const AccessibleTree& tree, int child, AccessibleDirection direction,
                            int columns) {
  const int count = static_cast<int>(tree.children.size());
  if (count == 0) return std::nullopt;
  const auto within = [count](int id) {
    return id >= 1 && id <= count ? std::optional<int>(id) : std::nullopt;
  };
  if (child == 0) {
    if (direction == AccessibleDirection::kFirstChild) return 1;
    if (direction == AccessibleDirection::kLastChild) return count;
    return std::nullopt;  // the control's own siblings are its window's to tell
  }
  if (child < 1 || child > count) return std::nullopt;
  switch (direction) {
    case AccessibleDirection::kNext:
    case AccessibleDirection::kRight:
      return within(child + 1);
    case AccessibleDirection::kPrevious:
    case AccessibleDirection::kLeft:
      return within(child - 1);
    case AccessibleDirection::kDown:
      return within(child + (columns > 0 ? columns : 1));
    case AccessibleDirection::kUp:
      return within(child - (columns > 0 ? columns : 1));
    default:
      return std::nullopt;  // a simple element has no children
  }
}

int ChildAt(const AccessibleTree& tree, Point client) {
  for (std::size_t i = 0; i < tree.children.size(); ++i) {
    const Rect& r = tree.children[i].location;
    if (client.x >= r.left && client.x < r.right() && client.y >= r.top && client.y < r.bottom()) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

}  // namespace velora::core
