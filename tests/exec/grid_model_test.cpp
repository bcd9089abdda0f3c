#include "exec/grid_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "assets/images/builtin_images.h"
#include "exec/grid_paging.h"
#include "store/items.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"
#include "store/template_db.h"
#include "text/path_code.h"

namespace velora::exec {
namespace {

using assets::BuiltinImage;
using assets::ImageBytesOf;
using ::testing::Field;
using ::testing::StrictMock;

class MockLaunch : public LaunchPort {
 public:
  MOCK_METHOD(void, Launch, (const LaunchTarget&), (override));
};

TEST(PageAfterWheel, StaysWithinTheReachablePages) {
  // Away from the user goes back, never below 0.
  EXPECT_EQ(PageAfterWheel(1, 120, 40, 18), 0);
  EXPECT_EQ(PageAfterWheel(0, 120, 40, 18), 0);
  // 40 items at 18 a page: pages 0, 1 and 2.
  EXPECT_EQ(PageAfterWheel(0, -120, 40, 18), 1);
  EXPECT_EQ(PageAfterWheel(1, -120, 40, 18), 2);
  EXPECT_EQ(PageAfterWheel(2, -120, 40, 18), 2);
  // A full page is followed by one empty page.
  EXPECT_EQ(PageAfterWheel(0, -120, 18, 18), 1);
  EXPECT_EQ(PageAfterWheel(1, -120, 18, 18), 1);
  EXPECT_EQ(PageAfterWheel(0, -120, 0, 18), 0);
  EXPECT_EQ(PageAfterWheel(2, 0, 40, 18), 2);
  // A page left beyond the end after deletions comes back to the last one.
  EXPECT_EQ(PageAfterWheel(9, -120, 40, 18), 2);
  EXPECT_EQ(PageAfterWheel(9, 120, 40, 18), 2);
  // A capacity of 0 from a tiny grid or a bad setting never divides by zero.
  EXPECT_EQ(PageAfterWheel(0, -120, 3, 0), 1);
}

TEST(ClampCapacity, KeepsAPageBetweenOneAndTheLimit) {
  EXPECT_EQ(ClampCapacity(0), 1);
  EXPECT_EQ(ClampCapacity(-5), 1);
  EXPECT_EQ(ClampCapacity(18), 18);
  EXPECT_EQ(ClampCapacity(1LL << 40), kMaxCapacity);
}

TEST(PressCapturesMouse, ForItemsThatActWhereThePointerIsReleased) {
  EXPECT_TRUE(PressCapturesMouse("热键17+0+70"));
  EXPECT_TRUE(PressCapturesMouse("功能锁定屏幕"));
  EXPECT_TRUE(PressCapturesMouse("$$文本$$x"));
  EXPECT_TRUE(PressCapturesMouse(text::PathCode("C:\\p\\a.png")));
  EXPECT_FALSE(PressCapturesMouse(text::PathCode("C:\\p\\a.PNG")));
  EXPECT_FALSE(PressCapturesMouse(text::PathCode("C:\\p\\a.exe")));
  EXPECT_FALSE(PressCapturesMouse("网址https://example.com/"));
  EXPECT_FALSE(PressCapturesMouse("系统桌面"));
}

class GridModelTest : public testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    ASSERT_EQ(store::CreateTableFromFieldList(db, kTable, store::kItemFieldList), store::kFieldListCreated);
    grid.SetCategory(kTable);
  }
  // Items "项目0" … newest first, so "项目0" is list entry 0.
  void AddItems(int count) {
    for (int i = 0; i < count; ++i) {
      char date[32];
      std::snprintf(date, sizeof date, "2021-01-01 %02d:%02d:%02d", 23 - i / 3600, 59 - i / 60 % 60,
                    59 - i % 60);
      ASSERT_TRUE(store::AddItem(
          db, kTable, {"$$文本$$" + std::to_string(i), {}, "项目" + std::to_string(i), "文本", {}, date}));
    }
  }

  static constexpr const char* kTable = "分组";
  StrictMock<MockLaunch> launch;
  Navigation at;
  GridModel grid{db, folder.path(), launch, at};
};

TEST_F(GridModelTest, EmptyCategoryShowsAFullPageOfEmptyCells) {
  grid.Refresh();
  ASSERT_EQ(grid.cells().size(), 18u);
  for (const GridCell& cell : grid.cells()) {
    EXPECT_FALSE(cell.has_item);
    EXPECT_TRUE(cell.image.empty());
    EXPECT_EQ(cell.caption, "");
  }
}

TEST_F(GridModelTest, MissingTableListsNothing) {
  grid.SetCategory("不存在");
  grid.Refresh();
  EXPECT_EQ(grid.item_count(), 0u);
  EXPECT_EQ(grid.cells().size(), 18u);
}

TEST_F(GridModelTest, FortyItemsPageWithTheWheel) {
  AddItems(40);
  grid.Refresh();
  EXPECT_EQ(grid.cells()[0].caption, "项目0");
  EXPECT_EQ(grid.cells()[17].caption, "项目17");

  EXPECT_TRUE(grid.Wheel(-120));
  EXPECT_EQ(grid.page(), 1);
  EXPECT_EQ(grid.cells()[0].caption, "项目18");
  EXPECT_TRUE(grid.Wheel(-120));
  EXPECT_EQ(grid.page(), 2);
  EXPECT_EQ(grid.cells()[3].caption, "项目39");
  EXPECT_TRUE(grid.cells()[3].has_item);
  EXPECT_FALSE(grid.cells()[4].has_item);
  EXPECT_EQ(grid.cells().size(), 18u);
  EXPECT_FALSE(grid.Wheel(-120));
  EXPECT_EQ(grid.page(), 2);
  EXPECT_TRUE(grid.Wheel(120));
  EXPECT_EQ(grid.cells()[0].caption, "项目18");

  grid.SetCategory(kTable);
  EXPECT_EQ(grid.page(), 0);
}

TEST_F(GridModelTest, APageEmptiedByRemovalsFallsBackToTheLastOne) {
  AddItems(40);
  grid.SetPage(2);
  grid.Refresh();
  ASSERT_EQ(grid.cells()[0].caption, "项目36");
  // Clearing the list leaves one page; deleting the last page's items leaves the page before.
  for (int i = 19; i < 40; ++i) ASSERT_TRUE(store::DeleteItem(db, kTable, "$$文本$$" + std::to_string(i)));
  grid.Refresh();
  EXPECT_EQ(grid.page(), 1);
  EXPECT_EQ(grid.cells()[0].caption, "项目18");
  ASSERT_TRUE(store::ClearItems(db, kTable));
  grid.Refresh();
  EXPECT_EQ(grid.page(), 0);
  EXPECT_FALSE(grid.cells()[0].has_item);
}

TEST_F(GridModelTest, LaunchCurrentLaunchesTheRightClickedItem) {
  AddItems(3);
  grid.Refresh();
  grid.LaunchCurrent();  // nothing right-clicked yet: nothing launches
  ASSERT_TRUE(grid.RightClick(2));
  EXPECT_CALL(launch, Launch(Field(&LaunchTarget::code, "$$文本$$2")));
  grid.LaunchCurrent();
}

TEST_F(GridModelTest, EighteenItemsReachAnEmptySecondPage) {
  AddItems(18);
  grid.Refresh();
  EXPECT_TRUE(grid.Wheel(-120));
  EXPECT_EQ(grid.page(), 1);
  for (const GridCell& cell : grid.cells()) EXPECT_FALSE(cell.has_item);
}

// The grid reads only its page; that slice must be exactly the one the whole list would give,
// undated rows included.
TEST_F(GridModelTest, APageOfTheListIsTheSameSliceAsTheWholeList) {
  AddItems(25);
  ASSERT_TRUE(store::AddItem(db, kTable, {"$$文本$$空", {}, "空", "文本", "", ""}));
  ASSERT_TRUE(store::AddItem(db, kTable, {"$$文本$$无", {}, "无", "文本", {}, {}}));
  const std::vector<store::ItemRow> all = store::ListItems(db, kTable);
  ASSERT_EQ(all.size(), 27u);
  for (const std::size_t first : {0u, 10u, 20u, 26u}) {
    const store::ItemPage page = store::ListItemPage(db, kTable, first, 10);
    EXPECT_EQ(page.total, 27u);
    const std::vector<store::ItemRow> expected(
        all.begin() + static_cast<long>(first),
        all.begin() + static_cast<long>(std::min<std::size_t>(first + 10, 27)));
    EXPECT_EQ(page.rows, expected) << first;
  }
  EXPECT_EQ(store::ListItemPage(db, kTable, 27, 10).rows.size(), 0u);
  EXPECT_EQ(store::ListItemPage(db, "不存在", 0, 10).total, 0u);
}

TEST_F(GridModelTest, CellsTakeCaptionAndImageFromTheirRow) {
  const std::string picture_code = text::PathCode("C:\\图\\猫.png");
  const std::string upper_picture = text::PathCode(text::PathToUtf8(folder.path() / "狗.JPG"));
  std::ofstream(folder.path() / "狗.JPG", std::ios::binary) << "whole picture";
  ASSERT_TRUE(
      store::AddItem(db, kTable, {picture_code, {}, "猫", ".png", "89504E470D0A", "2021-01-03 00:00:00"}));
  ASSERT_TRUE(
      store::AddItem(db, kTable, {upper_picture, {}, "狗", ".JPG", "89504E47", "2021-01-02 00:00:00"}));
  ASSERT_TRUE(store::AddItem(
      db, kTable, {"网址https://a.example/", {}, "第一换行第二", "书签", {}, "2021-01-01 00:00:00"}));
  ASSERT_TRUE(store::AddItem(db, kTable, {"系统桌面", {}, "桌面", "桌面", {}, {}}));
  ASSERT_TRUE(store::AddItem(db, kTable, {"热键17+0+70", {}, {}, {}, {}, {}}));
  grid.Refresh();
  const auto& cells = grid.cells();
  EXPECT_EQ(cells[0].image.bytes(), std::string("\x89PNG\r\n", 6));  // the stored thumbnail
  EXPECT_EQ(cells[1].image.bytes(), "whole picture");
  EXPECT_EQ(cells[2].caption, "第一\r\n第二");
  EXPECT_EQ(cells[2].image.bytes(), ImageBytesOf(BuiltinImage::kBookmark));
  EXPECT_EQ(cells[3].image.bytes(), ImageBytesOf(BuiltinImage::kDesktop));
  // A row with no name and no suffix still occupies its cell.
  EXPECT_TRUE(cells[4].has_item);
  EXPECT_EQ(cells[4].caption, "");
  EXPECT_EQ(cells[4].image.bytes(), ImageBytesOf(BuiltinImage::kGenericFile));
}

TEST_F(GridModelTest, ClickLaunchesOnlyCellsWithItems) {
  AddItems(3);
  grid.Refresh();
  EXPECT_CALL(launch, Launch(AllOf(Field(&LaunchTarget::category, kTable), Field(&LaunchTarget::cell, 2),
                                   Field(&LaunchTarget::code, "$$文本$$2"))));
  EXPECT_TRUE(grid.Press(2));
  EXPECT_EQ(grid.FinishClick(false), ClickOutcome::kLaunched);

  EXPECT_FALSE(grid.Press(5));
  EXPECT_EQ(grid.FinishClick(false), ClickOutcome::kNothing);
  EXPECT_FALSE(grid.RightClick(5));
  EXPECT_FALSE(grid.DoubleClick(5, true));
}

TEST_F(GridModelTest, DoubleClickModeTurnsASingleClickIntoACaptionDrag) {
  AddItems(2);
  grid.Refresh();
  grid.Press(1);
  EXPECT_EQ(grid.FinishClick(true), ClickOutcome::kCaptionDrag);
  EXPECT_FALSE(grid.DoubleClick(1, false));
  EXPECT_CALL(launch, Launch(Field(&LaunchTarget::cell, 1)));
  EXPECT_TRUE(grid.DoubleClick(1, true));
}

TEST_F(GridModelTest, CellsOfALaterPageLaunchTheirOwnItem) {
  AddItems(20);
  grid.SetPage(1);
  grid.Refresh();
  EXPECT_CALL(launch, Launch(AllOf(Field(&LaunchTarget::cell, 1), Field(&LaunchTarget::code, "$$文本$$19"))));
  grid.Press(1);
  grid.FinishClick(false);
  EXPECT_EQ(grid.TipAt(1), "19");
  EXPECT_EQ(grid.TipAt(2), "");
}

TEST_F(GridModelTest, RightClickSelectsAndTellsWhetherItIsAWebItem) {
  ASSERT_TRUE(
      store::AddItem(db, kTable, {"网址https://a.example/", {}, "a", "书签", {}, "2021-01-02 00:00:00"}));
  ASSERT_TRUE(store::AddItem(db, kTable, {"系统桌面", {}, "桌面", "桌面", {}, "2021-01-01 00:00:00"}));
  grid.Refresh();
  EXPECT_TRUE(grid.RightClick(0));
  EXPECT_EQ(grid.current_item(), 0);
  EXPECT_TRUE(grid.CurrentIsWebItem());
  EXPECT_TRUE(grid.RightClick(1));
  EXPECT_FALSE(grid.CurrentIsWebItem());
}

TEST_F(GridModelTest, KeysMoveTheSelectionAcrossPagesWithinTheItems) {
  AddItems(40);  // 18 a page in rows of 6: pages 0 and 1 full, page 2 holds 4
  grid.Refresh();
  struct Step {
    SelectionMove move;
    int page, cell;
  };
  const Step steps[] = {
      {SelectionMove::kRight, 0, 0},  // the first key only selects
      {SelectionMove::kLeft, 0, 0},   // nothing before the first item
      {SelectionMove::kEnd, 2, 3},      {SelectionMove::kRight, 2, 3},
      {SelectionMove::kUp, 1, 15},  // up from the top row: the last row of the page before
      {SelectionMove::kDown, 2, 3},     {SelectionMove::kDown, 2, 3},  // no row below
      {SelectionMove::kPageUp, 1, 3},   {SelectionMove::kLeft, 1, 2},
      {SelectionMove::kHome, 0, 0},     {SelectionMove::kLeft, 0, 0},
      {SelectionMove::kUp, 0, 0},       {SelectionMove::kPageDown, 1, 0},
      {SelectionMove::kPageDown, 2, 0}, {SelectionMove::kPageDown, 2, 3},
  };
  for (const Step& step : steps) {
    grid.MoveSelection(step.move, 6);
    EXPECT_EQ(grid.page(), step.page) << static_cast<int>(step.move);
    EXPECT_EQ(grid.selected(), step.cell) << static_cast<int>(step.move);
  }
  EXPECT_CALL(launch, Launch(Field(&LaunchTarget::code, "$$文本$$39")));
  EXPECT_TRUE(grid.LaunchSelected());
}

TEST_F(GridModelTest, FoundItemsShowInPlaceOfTheCategoryWithTheirOwnCategory) {
  AddItems(20);
  ASSERT_EQ(store::CreateTableFromFieldList(db, "书签", store::kItemFieldList), store::kFieldListCreated);
  ASSERT_TRUE(store::AddItem(db, "书签", {"网址https://a.example/", {}, "a", "书签", {}, {}}));
  grid.SetPage(1);
  grid.Refresh();
  grid.ShowFound({{"书签", "网址https://a.example/"}, {kTable, "gone"}, {kTable, "$$文本$$7"}});
  grid.Refresh();
  EXPECT_EQ(grid.item_count(), 3u);
  EXPECT_EQ(grid.cells()[0].caption, "a");
  EXPECT_EQ(grid.cells()[1].caption, "项目7");  // a removed item leaves no hole
  EXPECT_EQ(grid.selected(), 0);
  EXPECT_EQ(grid.TipAt(0), "https://a.example/\n所在分类：书签");
  EXPECT_CALL(launch, Launch(AllOf(Field(&LaunchTarget::category, "书签"), Field(&LaunchTarget::cell, 0))));
  EXPECT_TRUE(grid.LaunchSelected());
  grid.ShowFound({});
  grid.Refresh();
  EXPECT_EQ(grid.selected(), std::nullopt);
  EXPECT_FALSE(grid.LaunchSelected());
  grid.EndFind();
  grid.Refresh();
  EXPECT_EQ(grid.page(), 1);
  EXPECT_EQ(grid.cells()[0].caption, "项目18");
  EXPECT_EQ(*grid.CategoryAt(0), kTable);
}

TEST(GridModelOnTemplate, SoftwareShowsThePlacesAndBookmarksTheirImage) {
  velora::testing::TempFolder folder;
  ASSERT_TRUE(store::WriteTemplateDatabase(folder.path() / "Velora.db"));
  store::Database db;
  ASSERT_TRUE(db.Open(text::PathToUtf8(folder.path() / "Velora.db")));
  StrictMock<MockLaunch> launch;
  Navigation at;
  GridModel grid(db, folder.path(), launch, at);

  grid.SetCategory("软件");
  grid.Refresh();
  std::vector<std::string_view> images;
  for (int i = 0; i < 4; ++i) images.push_back(grid.cells()[static_cast<std::size_t>(i)].image.bytes());
  EXPECT_THAT(images, ::testing::UnorderedElementsAre(ImageBytesOf(BuiltinImage::kThisPc),
                                                      ImageBytesOf(BuiltinImage::kDesktop),
                                                      ImageBytesOf(BuiltinImage::kControlPanel),
                                                      ImageBytesOf(BuiltinImage::kRecycleBin)));
  EXPECT_FALSE(grid.cells()[4].has_item);

  grid.SetCategory("书签");
  grid.Refresh();
  EXPECT_EQ(grid.item_count(), 14u);
  for (int i = 0; i < 14; ++i) {
    EXPECT_EQ(grid.cells()[static_cast<std::size_t>(i)].image.bytes(), ImageBytesOf(BuiltinImage::kBookmark));
  }
}

}  // namespace
}  // namespace velora::exec
