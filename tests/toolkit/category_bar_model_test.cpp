#include <gtest/gtest.h>

#include "toolkit/category_bar_model.h"

using namespace velora::toolkit;

namespace {
// 14 pixels a character stands in for the font's measure.
CategoryBarModel Bar() {
  return CategoryBarModel([](std::string_view s) { return static_cast<int>(s.size()) * 14 / 3; });
}
}  // namespace

TEST(CategoryBar, FillMeasuresEachCaptionAndSelectsTheFirst) {
  CategoryBarModel bar = Bar();
  bar.Fill({"软件", "目录", "工作组"}, 0xFE000000);
  ASSERT_EQ(bar.cells().size(), 3u);
  EXPECT_EQ(bar.cells()[0].width, 28 + 10);
  EXPECT_EQ(bar.cells()[2].width, 42 + 10);
  EXPECT_TRUE(bar.cells()[0].selected);
  EXPECT_FALSE(bar.cells()[1].selected);
  EXPECT_EQ(bar.cells()[1].colour, 0xFE000000u);

  bar.Select(2);
  EXPECT_EQ(bar.Fill({"软件", "目录"}, 0xFF112233), "软件");  // a refill selects the first again
  EXPECT_TRUE(bar.cells()[0].selected);
  EXPECT_FALSE(bar.cells()[1].selected);
  EXPECT_EQ(bar.Fill({}, 0xFF112233, "软件"), "");
}

TEST(CategoryBar, FillKeepsTheCategoryOnShowSelectedWhileItExists) {
  CategoryBarModel bar = Bar();
  bar.SetViewWidth(60);  // two cells wide
  EXPECT_EQ(bar.Fill({"软件", "目录", "书签", "工作组"}, 0xFE000000, "工作组"), "工作组");
  EXPECT_TRUE(bar.cells()[3].selected);
  EXPECT_FALSE(bar.cells()[0].selected);
  EXPECT_GT(bar.offset(), 0);                                           // scrolled to where it shows
  EXPECT_EQ(bar.Fill({"软件", "目录"}, 0xFE000000, "工作组"), "软件");  // the group is gone
  EXPECT_TRUE(bar.cells()[0].selected);
  EXPECT_EQ(bar.offset(), 0);
}

TEST(CategoryBar, SelectKeepsOneCellSelectedAndReturnsItsCaption) {
  CategoryBarModel bar = Bar();
  bar.Fill({"软件", "目录", "书签"}, 0xFE000000);
  EXPECT_EQ(bar.Select(2), "书签");
  EXPECT_FALSE(bar.cells()[0].selected);
  EXPECT_TRUE(bar.cells()[2].selected);
  EXPECT_EQ(bar.Select(3), std::nullopt);
  EXPECT_TRUE(bar.cells()[2].selected);  // an index outside changes nothing
  EXPECT_EQ(bar.cells()[0].colour, 0xFE000000u);

  EXPECT_EQ(bar.HoverSelect(1), "目录");
  for (const auto& cell : bar.cells()) EXPECT_EQ(cell.colour, kHoverCaptionColour);
}

TEST(CategoryBar, CellAtWalksTheWidthsAndRenameRemeasures) {
  CategoryBarModel bar = Bar();
  bar.Fill({"软件", "目录"}, 0xFE000000);
  EXPECT_EQ(bar.CellAt(0), 0u);
  EXPECT_EQ(bar.CellAt(37), 0u);
  EXPECT_EQ(bar.CellAt(38), 1u);
  EXPECT_EQ(bar.CellAt(76), std::nullopt);
  EXPECT_EQ(bar.CellAt(-1), std::nullopt);
  bar.SetCaption(1, "新的名字", kHoverCaptionColour);
  EXPECT_EQ(bar.cells()[1].width, 56 + 10);
  EXPECT_EQ(bar.cells()[1].caption, "新的名字");
}

// Widths 38, 38, 38, 38 and 52: a row of 204 design pixels in a bar 100 wide.
CategoryBarModel ScrollingBar() {
  CategoryBarModel bar = Bar();
  bar.Fill({"软件", "目录", "书签", "搜索", "工作组"}, 0xFE000000);
  bar.SetViewWidth(100);
  return bar;
}

TEST(CategoryBar, ScrollingStaysWithinTheRowAndTellsWhatIsHidden) {
  CategoryBarModel bar = ScrollingBar();
  EXPECT_EQ(bar.RowWidth(), 204);
  EXPECT_FALSE(bar.HiddenBefore());
  EXPECT_TRUE(bar.HiddenAfter());
  bar.ScrollBy(-50);  // not before the start
  EXPECT_EQ(bar.offset(), 0);

  bar.ScrollBy(60);
  EXPECT_TRUE(bar.HiddenBefore());
  EXPECT_TRUE(bar.HiddenAfter());
  EXPECT_EQ(bar.CellAt(0), 1u);  // 60 into the row
  EXPECT_EQ(bar.CellAt(16), 2u);

  bar.ScrollBy(1000);  // not past the end: the last cell ends at the bar's right edge
  EXPECT_EQ(bar.offset(), 104);
  EXPECT_FALSE(bar.HiddenAfter());
  EXPECT_EQ(bar.CellAt(99), 4u);
  EXPECT_EQ(bar.CellAt(100), std::nullopt);

  bar.SetViewWidth(300);  // a wider bar shows the whole row
  EXPECT_EQ(bar.offset(), 0);
  EXPECT_FALSE(bar.HiddenBefore());
  EXPECT_FALSE(bar.HiddenAfter());
}

TEST(CategoryBar, ASelectedCellIsScrolledIntoView) {
  CategoryBarModel bar = ScrollingBar();
  EXPECT_EQ(bar.Select(3), "搜索");  // 114 to 152: its right edge comes to the bar's
  EXPECT_EQ(bar.offset(), 52);
  EXPECT_EQ(bar.Select(2), "书签");  // 76 to 114: already in view, nothing moves
  EXPECT_EQ(bar.offset(), 52);
  EXPECT_EQ(bar.HoverSelect(1), "目录");  // 38 to 76: its left edge comes to the bar's
  EXPECT_EQ(bar.offset(), 38);
  bar.Select(4);
  EXPECT_EQ(bar.offset(), 104);

  bar.SetCaption(4, "组", 0xFE000000);  // a shorter last caption pulls the row back
  EXPECT_EQ(bar.offset(), 4 * 38 + 24 - 100);
  bar.Fill({"软件", "目录", "书签", "搜索", "工作组"}, 0xFE000000);  // a refill starts at the beginning
  EXPECT_EQ(bar.offset(), 0);
}
