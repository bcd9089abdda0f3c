#include "exec/window_pick.h"

#include <gtest/gtest.h>

#include <vector>

namespace velora::exec {
namespace {

constexpr core::Rect kGroupBox{0, 0, 200, 100};
constexpr core::Point kPointer{50, 50};

TEST(PickSmallerSibling, SmallestVisibleSiblingUnderThePointerWins) {
  const std::vector<SiblingWindow> following = {
      {{10, 10, 150, 80}, true, true},  // smaller than the group box
      {{40, 40, 20, 20}, true, true},   // smaller still: the control the pointer is on
      {{45, 45, 10, 10}, false, true},  // hidden
      {{45, 45, 10, 10}, true, false},  // another parent's
      {{100, 60, 5, 5}, true, true},    // elsewhere
  };
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, following), 1u);
}

TEST(PickSmallerSibling, HitWindowStaysWithoutAStrictlySmallerSibling) {
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, {}), std::nullopt);
  const std::vector<SiblingWindow> same_size = {{{0, 0, 100, 200}, true, true}};
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, same_size), std::nullopt);
  // Equal smaller areas: the first in z-order.
  const std::vector<SiblingWindow> equal = {{{40, 40, 20, 20}, true, true}, {{45, 45, 20, 20}, true, true}};
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, equal), 0u);
}

TEST(PickSmallerSibling, RightAndBottomEdgesAreOutside) {
  const std::vector<SiblingWindow> ending_at_pointer = {{{30, 30, 20, 20}, true, true}};
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, ending_at_pointer), std::nullopt);
  const std::vector<SiblingWindow> starting_at_pointer = {{{50, 50, 20, 20}, true, true}};
  EXPECT_EQ(PickSmallerSibling(kPointer, kGroupBox, starting_at_pointer), 0u);
}

}  // namespace
}  // namespace velora::exec
