#include <gtest/gtest.h>

#include <cstdlib>

#include "flipit/clock_layout.h"

using velora::core::Rect;
using velora::flipit::ClockLayout;
using velora::flipit::LayOutClock;

namespace {

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

// The cards and the date as one block.
Rect Group(const ClockLayout& layout) {
  const int bottom = layout.caption.height > 0 ? layout.caption.bottom() : layout.cards[0].bottom();
  return {layout.cards[0].left, layout.cards[0].top, layout.cards[1].right() - layout.cards[0].left,
          bottom - layout.cards[0].top};
}

}  // namespace

TEST(ClockLayout, TwoEqualSquareCardsSideBySideCentredOnTheMonitor) {
  for (const Rect monitor : {Rect{0, 0, 1280, 1024}, Rect{0, 0, 1920, 1080}, Rect{0, 0, 3840, 2160},
                             Rect{0, 0, 1080, 1920}, Rect{0, 0, 5120, 1440}}) {
    const ClockLayout layout = LayOutClock(monitor, 96);
    const Rect& hours = layout.cards[0];
    const Rect& minutes = layout.cards[1];
    SCOPED_TRACE(std::to_string(monitor.width) + "x" + std::to_string(monitor.height));
    EXPECT_GT(hours.width, 0);
    EXPECT_EQ(hours.width, hours.height);
    EXPECT_EQ(minutes.width, hours.width);
    EXPECT_EQ(minutes.height, hours.height);
    EXPECT_EQ(minutes.top, hours.top);
    EXPECT_GT(minutes.left, hours.right());
    const Rect group = Group(layout);
    EXPECT_TRUE(Inside(group, monitor));
    EXPECT_LE(std::abs((group.left - monitor.left) - (monitor.right() - group.right())), 1);
    EXPECT_LE(std::abs((group.top - monitor.top) - (monitor.bottom() - group.bottom())), 1);
  }
}

TEST(ClockLayout, TheCardsTakeMostOfTheNarrowerSide) {
  // Landscape: the height sets the size; portrait: the width does.
  const ClockLayout wide = LayOutClock({0, 0, 5120, 1440}, 96);
  EXPECT_GT(wide.cards[0].height, 1440 / 2);
  const ClockLayout tall = LayOutClock({0, 0, 1080, 1920}, 96);
  EXPECT_GT(tall.cards[1].right() - tall.cards[0].left, 1080 * 3 / 4);
}

TEST(ClockLayout, AMonitorLeftOfOrAboveThePrimaryGetsTheSameClockMoved) {
  const ClockLayout primary = LayOutClock({0, 0, 1920, 1080}, 96);
  const ClockLayout other = LayOutClock({-1920, -300, 1920, 1080}, 96);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(other.cards[i], (Rect{primary.cards[i].left - 1920, primary.cards[i].top - 300,
                                    primary.cards[i].width, primary.cards[i].height}));
  }
  EXPECT_EQ(other.caption.left, primary.caption.left - 1920);
  EXPECT_EQ(other.digit_height, primary.digit_height);
}

TEST(ClockLayout, EverySizeFollowsTheMonitorsPixelsSoA4KClockIsTwiceAsBig) {
  const ClockLayout full_hd = LayOutClock({0, 0, 1920, 1080}, 96);
  const ClockLayout uhd = LayOutClock({0, 0, 3840, 2160}, 192);
  EXPECT_NEAR(uhd.cards[0].width, 2 * full_hd.cards[0].width, 1);
  EXPECT_NEAR(uhd.digit_height, 2 * full_hd.digit_height, 2);
  EXPECT_NEAR(uhd.corner_radius, 2 * full_hd.corner_radius, 2);
  EXPECT_NEAR(uhd.caption_height, 2 * full_hd.caption_height, 2);
  // The digits fit their card with room to spare, and the split shows.
  EXPECT_LT(full_hd.digit_height, full_hd.cards[0].height);
  EXPECT_GT(full_hd.digit_height, full_hd.cards[0].height / 2);
  EXPECT_GE(full_hd.split, 1);
  EXPECT_GE(uhd.split, 2);
}

TEST(ClockLayout, TheDateSitsCentredUnderTheCardsOnAMonitor) {
  const ClockLayout layout = LayOutClock({0, 0, 1280, 1024}, 96);
  ASSERT_GT(layout.caption.width, 0);
  EXPECT_GT(layout.caption.top, layout.cards[0].bottom());
  EXPECT_EQ(layout.caption.left, layout.cards[0].left);
  EXPECT_EQ(layout.caption.right(), layout.cards[1].right());
  EXPECT_GE(layout.caption.height, layout.caption_height);
}

TEST(ClockLayout, ThePreviewIsTooSmallForTheDate) {
  const Rect preview{0, 0, 152, 112};
  const ClockLayout layout = LayOutClock(preview, 96);
  EXPECT_GT(layout.cards[0].width, 40);
  EXPECT_TRUE(Inside(Group(layout), preview));
  EXPECT_EQ(layout.caption.width, 0);
  EXPECT_EQ(layout.caption_height, 0);
  // The same little window at 200 % holds the date even less.
  EXPECT_EQ(LayOutClock({0, 0, 304, 224}, 192).caption.width, 0);
}

TEST(ClockLayout, NothingToDrawInAnEmptyArea) {
  for (const Rect area : {Rect{0, 0, 0, 0}, Rect{0, 0, 800, 0}, Rect{10, 10, -5, 300}, Rect{0, 0, 1, 1}}) {
    const ClockLayout layout = LayOutClock(area, 96);
    EXPECT_EQ(layout.cards[0].width, 0);
    EXPECT_EQ(layout.cards[1].width, 0);
    EXPECT_EQ(layout.caption.width, 0);
  }
}
