#include <gtest/gtest.h>

#include "ui/layout.h"

using namespace velora::ui;

TEST(Layout, DefaultWindowGivesEighteenCells) {
  const LauncherLayout l = ComputeLayout(kDefaultWindow);
  EXPECT_EQ(l.background, (Rect{-2, -2, 514, 315}));
  EXPECT_EQ(l.grip, (Rect{498, 299, 12, 12}));
  EXPECT_EQ(l.command_bar, (Rect{310, 4, 200, 32}));
  EXPECT_EQ(l.category_holder, (Rect{0, 0, 304, 32}));
  EXPECT_EQ(l.category_bar, (Rect{0, -4, 304, 64}));
  EXPECT_EQ(l.content, (Rect{1, 32, 508, 278}));
  EXPECT_EQ(l.grid, (Rect{0, 0, 508, 278}));
  EXPECT_EQ(l.recent, (Rect{2, 0, 504, 278}));
  EXPECT_EQ(GridCapacity({l.grid.width, l.grid.height}), 18);
}

TEST(Layout, PanelsCentreInTheContentAreaOrStickToTheLeft) {
  const LauncherLayout wide = ComputeLayout({1000, 600});
  EXPECT_EQ(wide.panels[kSettingsPanel], (Rect{(998 - 448) / 2, 48, 448, 256}));
  EXPECT_EQ(wide.panels[kGroupPanel].left, (998 - 258) / 2);
  // Narrower than the settings panel: it is placed at 0, never at a negative left.
  const LauncherLayout narrow = ComputeLayout({400, 300});
  EXPECT_EQ(narrow.panels[kSettingsPanel].left, 0);
  EXPECT_EQ(narrow.panels[kShortcutPanel].left, (398 - 234) / 2);
}

TEST(Layout, CapacityCountsWholeCellsOnly) {
  EXPECT_EQ(GridCapacity({385, 270}), 15);
  EXPECT_EQ(GridCapacity({384, 269}), 8);
  EXPECT_EQ(GridCapacity({76, 500}), 0);
  EXPECT_EQ(GridCapacity({-10, 90}), 0);
  EXPECT_EQ(GridCapacity({2558, 1407}), 33 * 15);
}

TEST(Layout, WindowSizeStaysWithinItsLimits) {
  EXPECT_EQ(ClampWindowSize({300, 100}), (Size{510, 132}));
  EXPECT_EQ(ClampWindowSize({3000, 2000}), (Size{2560, 1440}));
  EXPECT_EQ(ClampWindowSize({800, 500}), (Size{800, 500}));
}

TEST(Scale, DesignPixelsScaleWithTheDisplay) {
  EXPECT_EQ(Scale(510, 96), 510);
  EXPECT_EQ(Scale(510, 120), 638);  // 125 %: 637.5 rounds up
  EXPECT_EQ(Scale(311, 144), 467);  // 150 %: 466.5 rounds up
  EXPECT_EQ(Scale(77, 192), 154);
  EXPECT_EQ(Scale(-2, 144), -3);
  EXPECT_EQ(Scale(Rect{1, 32, 508, 278}, 192), (Rect{2, 64, 1016, 556}));
}
