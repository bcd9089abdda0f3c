#include "core/mouse_event.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace velora::core;

namespace {

constexpr std::uint32_t WheelDelta(int delta) { return static_cast<std::uint32_t>(delta & 0xFFFF) << 16; }

}  // namespace

TEST(ClassifyMouseMessage, ButtonsByTheirRunsOfDownUpDoubleClick) {
  EXPECT_EQ(ClassifyMouseMessage(0x0201, 0), (MouseEvent{1, 1}));
  EXPECT_EQ(ClassifyMouseMessage(0x0202, 0), (MouseEvent{1, 2}));
  EXPECT_EQ(ClassifyMouseMessage(0x0203, 0), (MouseEvent{1, 3}));
  EXPECT_EQ(ClassifyMouseMessage(0x0204, 0), (MouseEvent{2, 1}));
  EXPECT_EQ(ClassifyMouseMessage(0x0206, 0), (MouseEvent{2, 3}));
  EXPECT_EQ(ClassifyMouseMessage(0x0207, 0), (MouseEvent{3, 1}));
  EXPECT_EQ(ClassifyMouseMessage(0x0208, 0), (MouseEvent{3, 2}));
  EXPECT_EQ(ClassifyMouseMessage(0x0209, 0), (MouseEvent{3, 3}));
}

TEST(ClassifyMouseMessage, WheelBySignOfTheHighWord) {
  EXPECT_EQ(ClassifyMouseMessage(0x020A, WheelDelta(120)), (MouseEvent{4, 4}));
  EXPECT_EQ(ClassifyMouseMessage(0x020A, WheelDelta(-120)), (MouseEvent{4, 5}));
  EXPECT_EQ(ClassifyMouseMessage(0x020A, WheelDelta(-1)), (MouseEvent{4, 5}));
  EXPECT_EQ(ClassifyMouseMessage(0x020A, 0), MouseEvent{});
  // The low word carries nothing for the wheel.
  EXPECT_EQ(ClassifyMouseMessage(0x020A, 0x0000FFFF), MouseEvent{});
}

TEST(ClassifyMouseMessage, SideButtonsTheUpperOneIsButtonFive) {
  EXPECT_EQ(ClassifyMouseMessage(0x020B, 2u << 16), (MouseEvent{5, 1}));
  EXPECT_EQ(ClassifyMouseMessage(0x020C, 2u << 16), (MouseEvent{5, 2}));
  EXPECT_EQ(ClassifyMouseMessage(0x020B, 1u << 16), (MouseEvent{6, 1}));
  EXPECT_EQ(ClassifyMouseMessage(0x020C, 1u << 16), (MouseEvent{6, 2}));
  EXPECT_EQ(ClassifyMouseMessage(0x020B, 3u << 16), MouseEvent{});
  EXPECT_EQ(ClassifyMouseMessage(0x020D, 2u << 16), MouseEvent{})
      << "a side double click is not in the table";
}

TEST(ClassifyMouseMessage, MovesAndOtherMessagesAreNothing) {
  for (unsigned message : {0x0200u, 0x01FFu, 0x020Eu, 0x0210u, 0x00A1u, 0u}) {
    EXPECT_EQ(ClassifyMouseMessage(message, WheelDelta(120)), MouseEvent{}) << message;
  }
}

TEST(EventBit, EveryEventOfTheTableHasABitOfItsOwn) {
  std::uint64_t seen = 0;
  for (int button = 1; button <= 6; ++button) {
    for (int action = 1; action <= 5; ++action) {
      const std::uint64_t bit = EventBit({button, action});
      ASSERT_NE(bit, 0u) << button << "," << action;
      EXPECT_EQ(bit & (bit - 1), 0u) << "one bit";
      EXPECT_EQ(seen & bit, 0u) << button << "," << action << " shares a bit";
      seen |= bit;
    }
  }
  EXPECT_EQ(EventBit(MouseEvent{}), 0u);
  EXPECT_EQ(EventBit({64, 1}), 0u);
  EXPECT_EQ(EventBit({-1, -1}), 0u);
  constexpr std::uint64_t kMiddle = EventBits({{3, 1}, {3, 2}});
  static_assert(kMiddle != 0);
  EXPECT_TRUE(kMiddle & EventBit(ClassifyMouseMessage(0x0208, 0)));
  EXPECT_FALSE(kMiddle & EventBit(ClassifyMouseMessage(0x0209, 0)));
  EXPECT_FALSE(kMiddle & EventBit(ClassifyMouseMessage(0x0200, 0)));
}
