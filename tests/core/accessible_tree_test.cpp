// The accessible tree's rules without a window: states as the system's bits, moving among
// children as they lie in rows, and which child a point falls on.
#include "core/accessible_tree.h"

#include <gtest/gtest.h>

namespace velora::core {
namespace {

// Six children in rows of three, 10 × 10 pixels each.
AccessibleTree Grid() {
  AccessibleTree tree;
  for (int i = 0; i < 6; ++i) {
    AccessibleNode node;
    node.location = {(i % 3) * 10, (i / 3) * 10, 10, 10};
    tree.children.push_back(node);
  }
  return tree;
}

TEST(AccessibleTree, NavigatesAmongChildrenInRows) {
  using D = AccessibleDirection;
  const AccessibleTree tree = Grid();
  struct Case {
    int from;
    D direction;
    std::optional<int> to;
  };
  const Case cases[] = {
      {0, D::kFirstChild, 1},
      {0, D::kLastChild, 6},
      {0, D::kNext, std::nullopt},  // the window's to tell
      {1, D::kNext, 2},
      {1, D::kPrevious, std::nullopt},
      {6, D::kRight, std::nullopt},
      {2, D::kDown, 5},
      {5, D::kUp, 2},
      {4, D::kDown, std::nullopt},
      {3, D::kFirstChild, std::nullopt},  // a simple element has none
      {7, D::kNext, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Navigate(tree, c.from, c.direction, 3), c.to) << c.from << " " << static_cast<int>(c.direction);
  }
  EXPECT_EQ(Navigate(AccessibleTree{}, 0, D::kFirstChild), std::nullopt);
}

TEST(AccessibleTree, HitsTheChildUnderAPointAndGivesTheSystemsStateBits) {
  const AccessibleTree tree = Grid();
  EXPECT_EQ(ChildAt(tree, {0, 0}), 1);
  EXPECT_EQ(ChildAt(tree, {25, 15}), 6);
  EXPECT_EQ(ChildAt(tree, {30, 5}), 0);  // past the last column: the control itself

  AccessibleNode node;
  EXPECT_EQ(StateBits(node), 0u);
  node.selectable = node.selected = node.focusable = node.focused = node.checked = node.offscreen = true;
  EXPECT_EQ(StateBits(node), 0x2u | 0x4u | 0x10u | 0x10000u | 0x100000u | 0x200000u);
}

}  // namespace
}  // namespace velora::core
