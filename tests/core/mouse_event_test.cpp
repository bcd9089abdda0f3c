#include "core/mouse_event.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace velora::core;

namespace {

constexpr std::uint32_t High(int word) { return static_cast<std::uint32_t>(word & 0xFFFF) << 16; }

struct Case {
  unsigned message;
  std::uint32_t mouse_data;
  MouseEvent expected;
};

}  // namespace

TEST(ClassifyMouseMessage, TheTableOfButtonsWheelAndSideButtons) {
  const Case cases[] = {
      {0x0201, 0, {1, 1}},
      {0x0202, 0, {1, 2}},
      {0x0203, 0, {1, 3}},  // left
      {0x0204, 0, {2, 1}},
      {0x0206, 0, {2, 3}},  // right
      {0x0207, 0, {3, 1}},
      {0x0208, 0, {3, 2}},
      {0x0209, 0, {3, 3}},  // middle
      // The wheel by the sign of the high word; the low word carries nothing.
      {0x020A, High(120), {4, 4}},
      {0x020A, High(-1), {4, 5}},
      {0x020A, 0x0000FFFF, {}},
      // The upper side button (XBUTTON2) is button 5.
      {0x020B, High(2), {5, 1}},
      {0x020C, High(2), {5, 2}},
      {0x020B, High(1), {6, 1}},
      {0x020C, High(1), {6, 2}},
      {0x020B, High(3), {}},
      {0x020D, High(2), {}},  // no such button; a side double click
      // Moves, the horizontal wheel and other messages are nothing.
      {0x0200, High(120), {}},
      {0x020E, High(120), {}},
      {0x01FF, 0, {}},
      {0x00A1, 0, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyMouseMessage(c.message, c.mouse_data), c.expected)
        << std::hex << c.message << " " << c.mouse_data;
  }
}

TEST(EventBit, EveryEventOfTheTableHasABitOfItsOwnAndNothingHasNone) {
  std::uint64_t seen = 0;
  for (int button = 1; button <= 6; ++button) {
    for (int action = 1; action <= 5; ++action) {
      const std::uint64_t bit = EventBit({button, action});
      ASSERT_TRUE(bit != 0 && (bit & (bit - 1)) == 0) << button << "," << action;
      EXPECT_EQ(seen & bit, 0u) << button << "," << action << " shares a bit";
      seen |= bit;
    }
  }
  EXPECT_EQ(EventBit(MouseEvent{}), 0u);
  EXPECT_EQ(EventBit({64, 1}), 0u);
  EXPECT_EQ(EventBit({-1, -1}), 0u);
  constexpr std::uint64_t kMiddle = EventBits({{3, 1}, {3, 2}});
  EXPECT_TRUE(kMiddle & EventBit(ClassifyMouseMessage(0x0208, 0)));
  EXPECT_FALSE(kMiddle & EventBit(ClassifyMouseMessage(0x0209, 0)));
}
