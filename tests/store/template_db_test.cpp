#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "acquire/icon_key.h"
#include "store/schema.h"
#include "store/temp_store.h"
#include "store/template_db.h"
#include "text/path_code.h"

using namespace velora::store;
using velora::testing::TempFolder;
using velora::text::PathToUtf8;

namespace {

class TemplateDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTemplateDatabase(target));
    ASSERT_TRUE(db.Open(PathToUtf8(target)));
  }
  std::string Text(const std::string& sql) {
    Statement q = db.Query(sql);
    return q.Step() ? q.ColumnText(0) : "<none>";
  }

  TempFolder folder;
  std::filesystem::path target = folder.path() / "Velora.db";
  Database db;
};

}  // namespace

TEST_F(TemplateDbTest, FileFormatAndNoTemporaryLeft) {
  EXPECT_EQ(Text("PRAGMA page_size"), "4096");
  EXPECT_EQ(Text("PRAGMA encoding"), "UTF-8");
  EXPECT_EQ(Text("PRAGMA journal_mode"), "delete");
  EXPECT_EQ(Text("PRAGMA user_version"), "0");
  EXPECT_EQ(
      Text("select count(*) from sqlite_master where type in ('index','view','trigger') and sql is not null"),
      "0");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Velora.db.tmp"));
}

TEST_F(TemplateDbTest, SevenTablesInOrderWithTheSeedRows) {
  std::vector<std::string> tables;
  Statement q = db.ListTables();
  while (q.Step()) tables.push_back(q.ColumnText(0));
  EXPECT_EQ(tables, std::vector<std::string>(kFixedCategories.begin(), kFixedCategories.end()));

  const std::map<std::string, int> expected = {{"软件", 4}, {"目录", 2},  {"书签", 14}, {"图片", 0},
                                               {"文档", 1}, {"热键", 12}, {"搜索", 11}};
  int total = 0;
  for (const auto& [table, rows] : expected) {
    EXPECT_EQ(Text("select count(*) from " + QuoteIdentifier(table)), std::to_string(rows)) << table;
    total += rows;
  }
  EXPECT_EQ(total, 44);
}

TEST_F(TemplateDbTest, KeyedTablesAreQuotedIndentedAndKeyedOnCode) {
  const std::string sql = Text("select sql from sqlite_master where name='软件'");
  EXPECT_NE(
      sql.find("CREATE TABLE \"软件\" (\n  \"code\" VarChar(4096) NOT NULL,\n  \"路径\" VarChar(4096),"),
      std::string::npos)
      << sql;
  EXPECT_NE(sql.find("  PRIMARY KEY (\"code\")\n)"), std::string::npos) << sql;
  EXPECT_FALSE(db.Execute("insert into 热键 (code) values ('热键17+0+70')"));
  EXPECT_EQ(Text("select sql from sqlite_master where name='搜索'"),
            "CREATE TABLE 搜索 (code VarChar(4096),路径 VarChar(4096),名称 VarChar(4096),位置 VarChar(4096),"
            "类别 VarChar(4096),后缀 VarChar(4096),图标 VarChar(4096),日期 VarChar(4096))");
}

TEST_F(TemplateDbTest, WebItemsCarryTheIconKeyOfTheirAddressAndADate) {
  const std::regex date(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  for (const std::string table : {"书签", "搜索"}) {
    Statement q = db.Query("select code,后缀,图标,日期,名称 from " + table);
    int rows = 0;
    while (q.Step()) {
      ++rows;
      const std::string code = q.ColumnText(0);
      ASSERT_EQ(code.rfind("网址", 0), 0u) << code;
      const std::string url = code.substr(std::string("网址").size());
      EXPECT_EQ(q.ColumnText(1), "书签");
      EXPECT_EQ(q.ColumnText(2), velora::acquire::IconKey(url)) << url;
      EXPECT_TRUE(std::regex_match(q.ColumnText(3), date)) << url;
      EXPECT_FALSE(q.ColumnText(4).empty());
      EXPECT_EQ(url.find("$关键词$") != std::string::npos, table == "搜索") << url;
    }
    EXPECT_GT(rows, 0);
  }
}

TEST_F(TemplateDbTest, SystemPlacesDrivesSnippetAndHotkeys) {
  EXPECT_EQ(Text("select count(*) from 软件 where 日期=''"), "3");
  EXPECT_EQ(Text("select code from 软件 where 日期<>''"), "系统我的电脑");
  EXPECT_EQ(Text("select count(*) from 软件 where 名称=后缀 and code='系统'||名称"), "4");
  std::vector<std::string> roots;
  Statement q = db.Query("select code,路径,名称 from 目录 order by 路径");
  while (q.Step()) {
    EXPECT_EQ(q.ColumnText(0), velora::text::PathCode(q.ColumnText(1)));
    roots.push_back(velora::text::PathFromCode(q.ColumnText(0)));
    EXPECT_EQ(q.ColumnText(2), roots.back());
  }
  EXPECT_EQ(roots, (std::vector<std::string>{"C:\\", "D:\\"}));
  EXPECT_EQ(Text("select 名称 from 文档 where code='$$文本$$这是一段测试文本' and 后缀='文本'"),
            "这是一段测试文本");
  EXPECT_EQ(Text("select count(*) from 热键 where 后缀='热键' and code like '热键%+%+%'"), "6");
  EXPECT_EQ(Text("select count(*) from 热键 where 后缀='功能' and code='功能'||名称"), "6");
  EXPECT_EQ(Text("select count(*) from 热键 where 日期 is null or 日期=''"), "0");
}

TEST(TemplateDb, ExistingFileIsNeverTouchedAndLeftoversAreReplaced) {
  TempFolder folder;
  const auto target = folder.path() / "Velora.db";
  { std::ofstream(target) << "user data"; }
  EXPECT_FALSE(WriteTemplateDatabase(target));
  std::ifstream in(target);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "user data");

  const auto other = folder.path() / "新.db";
  { std::ofstream(folder.path() / "新.db.tmp") << "half written"; }
  ASSERT_TRUE(WriteTemplateDatabase(other));
  Database db;
  ASSERT_TRUE(db.Open(PathToUtf8(other)));
  EXPECT_TRUE(db.TableExists("搜索"));
}

TEST(TemplateDb, MissingFolderFailsWithoutAFile) {
  TempFolder folder;
  const auto target = folder.path() / "没有" / "Velora.db";
  EXPECT_FALSE(WriteTemplateDatabase(target));
  EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}
