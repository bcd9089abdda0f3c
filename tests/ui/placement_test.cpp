#include "ui/placement.h"

#include <gtest/gtest.h>

using namespace velora::ui;

namespace {
const Rect kPrimary{0, 0, 1920, 1080};
const Rect kRight{1920, 0, 1920, 1080};

Rect Summoned(Point pointer, Size size, Rect monitor) {
  return KeepOnMonitor({pointer.x - size.width / 2, pointer.y - size.height / 2, size.width, size.height},
                       monitor);
}
}  // namespace

TEST(KeepOnMonitor, PushesTheWindowBackInsideItsMonitor) {
  EXPECT_EQ(Summoned({100, 500}, {600, 300}, kPrimary).left, 0);
  EXPECT_EQ(Summoned({1850, 500}, {600, 300}, kPrimary).left, 1320);
  EXPECT_EQ(Summoned({1920 + 1850, 500}, {600, 300}, kRight).left, 3840 - 600);
  EXPECT_EQ(Summoned({500, 10}, {600, 300}, kPrimary).top, 0);
  // 50 pixels left below the window: it stays; 20 pixels: its bottom goes to the monitor's.
  EXPECT_EQ(Summoned({500, 1080 - 50 - 200}, {600, 400}, kPrimary).top, 1080 - 50 - 400);
  EXPECT_EQ(Summoned({500, 1080 - 20 - 200}, {600, 400}, kPrimary).top, 680);
  // The taskbar's strip counts as part of the monitor: 40 pixels below is enough.
  EXPECT_EQ(Summoned({500, 1080 - 40 - 200}, {600, 400}, kPrimary).top, 1080 - 40 - 400);
}

TEST(KeepOnMonitor, EveryTestUsesTheOffsetsFromBeforeAnyChange) {
  // Wider than the monitor and sticking out on the left: the left edge wins.
  EXPECT_EQ(KeepOnMonitor({-100, 100, 2000, 300}, kPrimary).left, 0);
  // Wider and sticking out on the right only: the right edge is aligned, off the left.
  EXPECT_EQ(KeepOnMonitor({10, 100, 2000, 300}, kPrimary).left, -80);
  // Taller than the monitor, sticking out at the top: the bottom test, from the old offset,
  // moves it up after the top test moved it down.
  EXPECT_EQ(KeepOnMonitor({100, -10, 300, 1200}, kPrimary).top, 1080 - 1200);
  // A monitor left of and above the primary.
  EXPECT_EQ(KeepOnMonitor({-1300, -900, 600, 300}, {-1280, -1024, 1280, 1024}),
            (Rect{-1280, -900, 600, 300}));
}

TEST(Placement, TheMonitorTheWindowMostlyLiesOnOrTheNearest) {
  const std::vector<MonitorArea> two{{kPrimary, 96}, {kRight, 96}};
  EXPECT_EQ(MonitorOf({1600, 0, 600, 300}, two), 0u);  // 320 on the primary, 280 on the right
  EXPECT_EQ(MonitorOf({1700, 0, 600, 300}, two), 1u);
  EXPECT_EQ(MonitorOf({5000, 200, 600, 300}, two), 1u);  // off every monitor: the nearest
  EXPECT_EQ(MonitorOf({-900, 200, 600, 300}, two), 0u);
}

TEST(Placement, ASummonNearTheSeamKeepsToTheMonitorItMostlyLiesOn) {
  const std::vector<MonitorArea> two{{kPrimary, 96}, {kRight, 96}};
  // Centred at 1930 the window lies more on the right monitor, so it goes there.
  EXPECT_EQ(PlaceAtPointer({1930, 500}, {600, 300}, two).rect.left, 1920);
  EXPECT_EQ(PlaceAtPointer({1890, 500}, {600, 300}, two).rect.left, 1320);
}

TEST(Placement, MixedDpiSizesTheWindowForTheMonitorItLandsOn) {
  // A 150 % monitor to the right of a 100 % one.
  const std::vector<MonitorArea> mixed{{kPrimary, 96}, {{1920, 0, 2880, 1620}, 144}};
  const Placement on_primary = PlaceAtPointer({900, 500}, {510, 311}, mixed);
  EXPECT_EQ(on_primary.dpi, 96);
  EXPECT_EQ(on_primary.rect, (Rect{900 - 255, 500 - 155, 510, 311}));

  const Placement on_wide = PlaceAtPointer({3000, 800}, {510, 311}, mixed);
  EXPECT_EQ(on_wide.dpi, 144);
  EXPECT_EQ(on_wide.rect, (Rect{3000 - 382, 800 - 233, 765, 467}));

  // Near the right edge of the 150 % monitor: kept inside it at its own size.
  const Placement at_edge = PlaceAtPointer({4790, 1600}, {510, 311}, mixed);
  EXPECT_EQ(at_edge.rect, (Rect{4800 - 765, 1620 - 467, 765, 467}));

  // The pointer in the bottom corner of the 100 % monitor by the seam, the window mostly on the
  // taller 150 % one: sized and kept for the 150 % monitor.
  const Placement across = PlaceAtPointer({1915, 1075}, {510, 311}, mixed);
  EXPECT_EQ(across.dpi, 144);
  EXPECT_EQ(across.rect, (Rect{1920, 1075 - 233, 765, 467}));
}
