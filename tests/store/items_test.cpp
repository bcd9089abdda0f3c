#include <gtest/gtest.h>

#include "store/items.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"

using namespace velora::store;

namespace {

class ItemsTest : public velora::testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    // One keyed table as the template declares them, one keyless as groups are.
    ASSERT_TRUE(db.Execute(
        "CREATE TABLE \"书签\" (\"code\" VarChar(4096) NOT NULL, \"路径\" VarChar(4096), \"名称\" "
        "VarChar(4096),"
        " \"位置\" VarChar(4096), \"类别\" VarChar(4096), \"后缀\" VarChar(4096), \"图标\" VarChar(4096),"
        " \"日期\" VarChar(4096), PRIMARY KEY (\"code\"))"));
    ASSERT_EQ(CreateTableFromFieldList(db, "搜索", kItemFieldList), kFieldListCreated);
  }
};

ItemRow Bookmark(std::string url, std::string title, std::optional<std::string> date) {
  return {"网址" + url, std::nullopt, title, "书签", "", date};
}

}  // namespace

TEST_F(ItemsTest, SecondAddRefreshesAKeyedRow) {
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("https://a.cn/", "旧", "2021-01-01 00:00:00")));
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("https://a.cn/", "新", "2022-01-01 00:00:00")));
  EXPECT_EQ(Count("select count(*) from 书签"), 1);
  const auto row = ReadItem(db, "书签", "网址https://a.cn/");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->name, "新");
  EXPECT_EQ(row->date, "2022-01-01 00:00:00");
  EXPECT_EQ(row->path, std::nullopt);
}

TEST_F(ItemsTest, KeylessTableGetsTwoRowsThatOneDeleteRemoves) {
  const ItemRow row = Bookmark("https://s.cn/?q=$关键词$", "搜", "2021-01-01 00:00:00");
  ASSERT_TRUE(AddItem(db, "搜索", row));
  ASSERT_TRUE(AddItem(db, "搜索", row));
  EXPECT_EQ(ListCodes(db, "搜索"), (std::vector<std::string>{row.code, row.code}));
  EXPECT_TRUE(DeleteItem(db, "搜索", row.code));
  EXPECT_TRUE(ListCodes(db, "搜索").empty());
}

TEST_F(ItemsTest, NewestFirstThenEmptyDatesThenUndated) {
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("undated", "无", std::nullopt)));
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("old", "旧", "2020-05-01 08:00:00")));
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("empty", "空", "")));
  ASSERT_TRUE(AddItem(db, "书签", Bookmark("new", "新", "2021-11-12 10:59:03")));
  EXPECT_EQ(ListCodes(db, "书签"),
            (std::vector<std::string>{"网址new", "网址old", "网址empty", "网址undated"}));
  EXPECT_EQ(ReadItem(db, "书签", "网址undated")->date, std::nullopt);

  // A launch stamp moves the undated item to the front.
  ASSERT_TRUE(RecordLaunch(db, "书签", "网址undated", "2026-12-09 12:00:00"));
  EXPECT_EQ(ListCodes(db, "书签").front(), "网址undated");
  const auto rows = ListItems(db, "书签");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows.front(), *ReadItem(db, "书签", "网址undated"));
}

TEST_F(ItemsTest, QuotesAndLineBreaksAreStoredExactlyAndInjectNothing) {
  const std::string title = "Tom's \"best\" 站'); DROP TABLE 书签; --";
  const std::string address = "https://x.cn/?a='1' OR '1'='1\"";
  ASSERT_TRUE(AddItem(db, "书签", Bookmark(address, title, "2021-01-01 00:00:00")));
  const std::string snippet = "$$文本$$第一行\r\n第二行 '引号' \"双引号\"";
  ASSERT_TRUE(
      AddItem(db, "书签", {snippet, std::nullopt, "第一行\r\n第二行", "文本", std::nullopt, std::nullopt}));

  EXPECT_TRUE(db.TableExists("书签"));
  EXPECT_EQ(ReadItem(db, "书签", "网址" + address)->name, title);
  EXPECT_EQ(ReadItem(db, "书签", snippet)->code, snippet);
  ASSERT_TRUE(SetIcon(db, "书签", "网址" + address, "0123456789"));
  EXPECT_EQ(ReadItem(db, "书签", "网址" + address)->icon, "0123456789");
  ASSERT_TRUE(ClearIcon(db, "书签", "网址" + address));
  EXPECT_EQ(ReadItem(db, "书签", "网址" + address)->icon, "");
  ASSERT_TRUE(DeleteItem(db, "书签", "网址" + address));
  EXPECT_EQ(ListCodes(db, "书签"), std::vector<std::string>{snippet});
}

TEST_F(ItemsTest, GroupNamedWithQuotesHoldsItems) {
  const std::string group = "a\"b'c";
  ASSERT_EQ(CreateTableFromFieldList(db, group, kItemFieldList), kFieldListCreated);
  ASSERT_TRUE(AddItem(db, group, Bookmark("https://q.cn/", "q", "2021-01-01 00:00:00")));
  EXPECT_EQ(ListCodes(db, group), std::vector<std::string>{"网址https://q.cn/"});
}

TEST_F(ItemsTest, MissingTableListsNothingAndAddFails) {
  EXPECT_TRUE(ListCodes(db, "不存在").empty());
  EXPECT_FALSE(ReadItem(db, "不存在", "x"));
  EXPECT_FALSE(AddItem(db, "不存在", Bookmark("x", "x", std::nullopt)));
  EXPECT_FALSE(db.TableExists("不存在"));
}

TEST_F(ItemsTest, DeletingSeveralCodesTakesEachRowWithItsCode) {
  for (const char* code : {"a'1", "b\"2", "c"}) ASSERT_TRUE(AddItem(db, "搜索", {code, {}, {}, {}, {}, {}}));
  EXPECT_EQ(DeleteItems(db, "搜索", {"a'1", "b\"2", "不在"}), 3u);
  EXPECT_EQ(ListCodes(db, "搜索"), std::vector<std::string>{"c"});
}
