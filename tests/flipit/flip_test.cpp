#include <gtest/gtest.h>

#include "flipit/flip.h"

using velora::flipit::FlipCard;
using velora::flipit::FlipFrame;
using velora::flipit::kFlipMilliseconds;

namespace {

// A card showing "12" since t = 0 that is told "13" at t = 1000.
FlipCard Flipped() {
  FlipCard card;
  card.Show("12", 0);
  card.Show("13", 1000);
  return card;
}

}  // namespace

TEST(FlipCard, TheFirstValueShowsAtOnce) {
  FlipCard card;
  card.Show("08", 500);
  EXPECT_FALSE(card.Flipping(500));
  EXPECT_EQ(card.Frame(500), (FlipFrame{"08", "08", std::nullopt}));
}

TEST(FlipCard, AChangeStartsWithTheOldUpperHalfStandingOverTheNewOne) {
  const FlipCard card = Flipped();
  EXPECT_TRUE(card.Flipping(1000));
  const FlipFrame frame = card.Frame(1000);
  EXPECT_EQ(frame.top, "13");
  EXPECT_EQ(frame.bottom, "12");
  ASSERT_TRUE(frame.flap);
  EXPECT_TRUE(frame.flap->upper);
  EXPECT_EQ(frame.flap->value, "12");
  EXPECT_DOUBLE_EQ(frame.flap->extent, 1.0);
  EXPECT_DOUBLE_EQ(frame.flap->shade, 0.0);
}

TEST(FlipCard, TheFlapFoldsDownEdgeOnHalfwayAndLandsAsTheNewLowerHalf) {
  const FlipCard card = Flipped();
  const double half = kFlipMilliseconds / 2;
  const FlipFrame middle = card.Frame(1000 + half);
  ASSERT_TRUE(middle.flap);
  EXPECT_NEAR(middle.flap->extent, 0.0, 1e-9);
  EXPECT_GT(middle.flap->shade, 0.3);

  double previous = 1.0;
  bool was_upper = true;
  for (double t = 10; t < kFlipMilliseconds; t += 10) {
    const FlipFrame frame = card.Frame(1000 + t);
    ASSERT_TRUE(frame.flap) << t;
    EXPECT_EQ(frame.top, "13");
    EXPECT_EQ(frame.bottom, "12");
    if (frame.flap->upper) {
      ASSERT_TRUE(was_upper) << "the flap came back up at " << t;
      EXPECT_EQ(frame.flap->value, "12");
      EXPECT_LE(frame.flap->extent, previous) << t;
    } else {
      EXPECT_EQ(frame.flap->value, "13");
      if (!was_upper) {
        EXPECT_GE(frame.flap->extent, previous) << t;
      }
      was_upper = false;
    }
    EXPECT_GE(frame.flap->extent, 0.0);
    EXPECT_LE(frame.flap->extent, 1.0);
    previous = frame.flap->extent;
  }
  EXPECT_FALSE(was_upper);
  EXPECT_GT(previous, 0.95);
}

TEST(FlipCard, AfterTheFlipTheNewValueRests) {
  const FlipCard card = Flipped();
  EXPECT_FALSE(card.Flipping(1000 + kFlipMilliseconds));
  EXPECT_EQ(card.Frame(1000 + kFlipMilliseconds), (FlipFrame{"13", "13", std::nullopt}));
  EXPECT_EQ(card.Frame(99999), (FlipFrame{"13", "13", std::nullopt}));
}

TEST(FlipCard, TheSameValueAgainDoesNotFlipOrRestartAFlip) {
  FlipCard card = Flipped();
  card.Show("13", 1200);
  EXPECT_EQ(card.Frame(1000 + kFlipMilliseconds), (FlipFrame{"13", "13", std::nullopt}));
  card.Show("13", 5000);
  EXPECT_FALSE(card.Flipping(5000));
}

TEST(FlipCard, AChangeDuringAFlipFlipsOnFromTheValueBeingShown) {
  FlipCard card = Flipped();
  card.Show("14", 1100);
  const FlipFrame frame = card.Frame(1100);
  EXPECT_EQ(frame.top, "14");
  EXPECT_EQ(frame.bottom, "13");
  ASSERT_TRUE(frame.flap);
  EXPECT_EQ(frame.flap->value, "13");
  EXPECT_TRUE(card.Flipping(1100 + kFlipMilliseconds - 1));
}

TEST(FlipCard, AClockThatStepsBackShowsTheFlipAtItsStart) {
  const FlipCard card = Flipped();
  const FlipFrame frame = card.Frame(900);
  ASSERT_TRUE(frame.flap);
  EXPECT_DOUBLE_EQ(frame.flap->extent, 1.0);
}
