// The adder against a real store file: the row it writes, the icon it prepares first, the page it
// shows, a second drop of the same file, and values that would break a spliced statement.
#include "acquire/item_adder.h"

#include <gtest/gtest.h>

#include "acquire/fake_path_facts.h"
#include "acquire/icon_key.h"
#include "acquire/recording_icons.h"
#include "store/items.h"
#include "store/temp_store.h"
#include "store/template_db.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::acquire {
namespace {

constexpr char kNow[] = "2026-03-04 05:06:07";

class ItemAdderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto file = folder.path() / "Velora.db";
    ASSERT_TRUE(store::WriteTemplateDatabase(file));
    ASSERT_TRUE(db.Open(text::PathToUtf8(file)));
    situation.category = "图片";
    situation.now = kNow;
  }
  AddResult Add(const std::string& path) { return adder.Add(text::PathCode(path), situation); }
  std::optional<store::ItemRow> Row(const std::string& path, const char* category = "图片") {
    return store::ReadItem(db, category, text::PathCode(path));
  }
  std::size_t Rows(const char* category = "图片") { return store::ListCodes(db, category).size(); }

  velora::testing::TempFolder folder;
  store::Database db;
  testing::FakePathFacts facts;
  testing::RecordingIcons icons;
  ItemAdder adder{db, facts, icons};
  AddSituation situation;
};

TEST_F(ItemAdderTest, AProgramInFrontGetsItsIconFileBeforeItsRowAndTheDate) {
  const std::string program = "D:\\Tools\\app.exe";
  const std::string key = IconKey(program);
  icons.on_call = [&] { EXPECT_EQ(Rows(), 0u) << "the row was written before its icon"; };
  EXPECT_EQ(Add(program), (AddResult{AddOutcome::kAdded, 0}));
  EXPECT_EQ(icons.calls, (std::vector<std::string>{"icon " + program + " " + key}));
  EXPECT_EQ(Row(program), (store::ItemRow{text::PathCode(program), program, "app", ".exe", key, kNow}));
  icons.on_call = nullptr;

  // An icon that cannot be extracted still leaves the key: the cell then shows no image.
  icons.program_has_icon = false;
  EXPECT_EQ(Add("D:\\Tools\\无图标.exe").outcome, AddOutcome::kAdded);
  EXPECT_EQ(Row("D:\\Tools\\无图标.exe")->icon, IconKey("D:\\Tools\\无图标.exe"));
}

TEST_F(ItemAdderTest, PicturesStoreTheirThumbnailAndOtherFilesNoIcon) {
  icons.thumbnail = "89504E47";
  ASSERT_EQ(Add("D:\\相册\\海边.JPG").outcome, AddOutcome::kAdded);
  EXPECT_EQ(Row("D:\\相册\\海边.JPG")->icon, "89504E47");
  EXPECT_EQ(Row("D:\\相册\\海边.JPG")->suffix, ".jpg");
  icons.thumbnail.clear();  // unreadable: the empty text, not the old thumbnail or NULL
  ASSERT_EQ(Add("D:\\相册\\坏.png").outcome, AddOutcome::kAdded);
  EXPECT_EQ(Row("D:\\相册\\坏.png")->icon, "");

  facts.folders = {"C:\\"};
  ASSERT_EQ(Add("C:\\").outcome, AddOutcome::kAdded);
  EXPECT_EQ(Row("C:\\"),
            (store::ItemRow{"43003A005C00" + std::string(1988, '0'), "C:\\", "C:\\", "文件夹", "", kNow}));
  EXPECT_EQ(icons.calls,
            (std::vector<std::string>{"thumbnail D:\\相册\\海边.JPG", "thumbnail D:\\相册\\坏.png"}));
}

TEST_F(ItemAdderTest, AtTheEndNoDateAndThePageThatShowsTheNewItem) {
  situation.at_end = true;
  situation.page = 0;
  situation.per_page = 18;
  situation.shown_count = 18;
  EXPECT_EQ(Add("D:\\a.txt"), (AddResult{AddOutcome::kAdded, 1}));
  EXPECT_EQ(Row("D:\\a.txt")->date, std::nullopt);
  situation.shown_count = 17;
  EXPECT_EQ(Add("D:\\b.txt"), (AddResult{AddOutcome::kAdded, 0}));
  situation.shown_count = 40;
  situation.per_page = 0;  // a broken setting pages by one item rather than dividing by zero
  EXPECT_EQ(Add("D:\\c.txt"), (AddResult{AddOutcome::kAdded, 40}));
  // In front the grid goes back to the first page, where the item now is.
  situation.at_end = false;
  situation.page = 3;
  EXPECT_EQ(Add("D:\\d.txt"), (AddResult{AddOutcome::kAdded, 0}));
  EXPECT_EQ(store::ListCodes(db, "图片").front(), text::PathCode("D:\\d.txt"));
}

TEST_F(ItemAdderTest, TheSameFileDroppedAgainRefreshesItsOneItem) {
  const std::string picture = "D:\\相册\\猫.png";
  situation.at_end = true;
  icons.thumbnail = "AA";
  ASSERT_EQ(Add(picture).outcome, AddOutcome::kAdded);
  situation.at_end = false;
  icons.thumbnail = "BB";
  ASSERT_EQ(Add(picture).outcome, AddOutcome::kAdded);
  EXPECT_EQ(Rows(), 1u);
  EXPECT_EQ(Row(picture), (store::ItemRow{text::PathCode(picture), picture, "猫", ".png", "BB", kNow}));
}

TEST_F(ItemAdderTest, QuotesAndSqlInPathsAreStoredAsTheyAre) {
  const std::string path = "D:\\it's\\a'); drop table 图片; --.txt";
  ASSERT_EQ(Add(path).outcome, AddOutcome::kAdded);
  const auto row = Row(path);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->path, path);
  EXPECT_EQ(row->name, "a'); drop table 图片; --");
  EXPECT_TRUE(db.TableExists("图片"));
}

TEST_F(ItemAdderTest, NothingIsWrittenForAnEmptyEntryOrAMissingCategory) {
  situation.page = 2;
  EXPECT_EQ(adder.Add(std::string(2000, '0'), situation), (AddResult{AddOutcome::kNothingToAdd, 2}));
  EXPECT_EQ(Rows(), 0u);
  situation.category = "已删除的分组";
  EXPECT_EQ(Add("D:\\a.txt"), (AddResult{AddOutcome::kNotSaved, 2}));
  EXPECT_TRUE(icons.calls.empty());
}

TEST_F(ItemAdderTest, EachTickTakesOneEntryInDropOrder) {
  DropQueue queue;
  EXPECT_EQ(adder.AddNext(queue, situation), std::nullopt);
  ASSERT_EQ(QueueDroppedPaths(queue, {"D:\\1.txt", "D:\\2.txt", "D:\\3.txt"}), 0u);
  situation.at_end = true;  // undated, so the rows keep the order they were added in
  for (int tick = 1; tick <= 3; ++tick) {
    ASSERT_TRUE(adder.AddNext(queue, situation));
    EXPECT_EQ(queue.Count(), static_cast<std::size_t>(3 - tick));
    EXPECT_EQ(Rows(), static_cast<std::size_t>(tick));
    EXPECT_TRUE(Row("D:\\" + std::to_string(tick) + ".txt"));
  }
}

}  // namespace
}  // namespace velora::acquire
