// The list order of a category, its index and one page at a time, on real store files: the
// order a full sort gave (equal, empty and NULL dates included) must survive the index.
#include "store/order_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/groups.h"
#include "store/items.h"
#include "store/open_store.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"
#include "store/template_db.h"

namespace velora::store {
namespace {

constexpr const char* kKeyedTable =
    "CREATE TABLE \"书签\" (\"code\" VarChar(4096) NOT NULL, \"路径\" VarChar(4096), \"名称\" VarChar(4096),"
    " \"位置\" VarChar(4096), \"类别\" VarChar(4096), \"后缀\" VarChar(4096), \"图标\" VarChar(4096),"
    " \"日期\" VarChar(4096), PRIMARY KEY (\"code\"))";

class OrderIndexTest : public velora::testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    ASSERT_TRUE(db.Execute(kKeyedTable));
    ASSERT_EQ(CreateTableFromFieldList(db, "工作", kItemFieldList), kFieldListCreated);
  }
  // The codes as the sort over the whole table orders them, without any index.
  std::vector<std::string> SortedCodes(const std::string& table) {
    std::vector<std::string> codes;
    Statement q = db.Query("select code from " + QuoteIdentifier(table) + " not indexed ORDER BY 日期 DESC");
    while (q.Step()) codes.push_back(q.ColumnText(0));
    return codes;
  }
  std::vector<std::string> Indexes(const std::string& table) {
    std::vector<std::string> names;
    Statement q =
        db.Query("select name from sqlite_master where type='index' and tbl_name=?1 and sql is not null");
    q.Bind(1, table);
    while (q.Step()) names.push_back(q.ColumnText(0));
    return names;
  }
  // Dates out of order, ties among dated, empty and NULL ones, a re-add of a keyed code (which
  // keeps its row) and a code deleted and added again (a new row, so it goes behind its ties).
  void AddMixedRows(const std::string& table) {
    const std::optional<std::string> dates[] = {
        "2021-01-01 00:00:00", std::nullopt,         "", "2021-01-01 00:00:00",
        "2022-06-01 12:00:00", std::nullopt,         "", "2021-01-01 00:00:00",
        std::nullopt,          "2020-01-01 00:00:00"};
    for (int i = 0; i < 10; ++i) {
      ASSERT_TRUE(AddItem(db, table, {"网址" + std::to_string(i), {}, "名", "书签", {}, dates[i]}));
    }
    ASSERT_TRUE(AddItem(db, table, {"网址3", {}, "再加", "书签", {}, {}}));
    ASSERT_TRUE(DeleteItem(db, table, "网址0"));
    ASSERT_TRUE(AddItem(db, table, {"网址0", {}, "名", "书签", {}, "2021-01-01 00:00:00"}));
  }
};

TEST_F(OrderIndexTest, TheIndexKeepsTheOrderOfTheSortTiesIncluded) {
  for (const std::string table : {"书签", "工作"}) {
    AddMixedRows(table);
    std::vector<std::string> expected = {"网址4", "网址3", "网址7", "网址0", "网址9",
                                         "网址2", "网址6", "网址1", "网址5", "网址8"};
    if (table == "工作") expected.push_back("网址3");  // a keyless table took the re-add as a new row
    ASSERT_EQ(SortedCodes(table), expected) << table;  // what the sort gives, before any index
    ASSERT_TRUE(EnsureOrderIndex(db, table));
    EXPECT_EQ(ListCodes(db, table), expected) << table;
    std::vector<std::string> names;
    for (const ItemRow& row : ListItems(db, table)) names.push_back(row.code);
    EXPECT_EQ(names, expected) << table;
  }
}

TEST_F(OrderIndexTest, APageIsReadFromTheIndexWithoutSortingFromEitherEnd) {
  for (const std::string table : {"书签", "工作"}) {
    ASSERT_TRUE(EnsureOrderIndex(db, table));
    for (const std::string_view order : {kListOrder, kReverseListOrder}) {
      Statement plan = db.Query("explain query plan select code,路径,名称,后缀,图标,日期 from " +
                                QuoteIdentifier(table) + std::string(order) + " limit 18 offset 36");
      std::string steps;
      while (plan.Step()) steps += plan.ColumnText(3) + "\n";
      EXPECT_NE(steps.find("USING INDEX"), std::string::npos) << table << ": " << steps;
      EXPECT_EQ(steps.find("TEMP B-TREE"), std::string::npos) << table << ": " << steps;
    }
  }
}

TEST_F(OrderIndexTest, PagesAreSlicesOfTheWholeList) {
  AddMixedRows("工作");
  ASSERT_TRUE(EnsureOrderIndex(db, "工作"));
  const std::vector<std::string> all = ListCodes(db, "工作");
  ASSERT_EQ(all.size(), 11u);
  for (const std::size_t first : {0u, 4u, 6u, 8u, 11u, 50u}) {  // the back half is read from the end
    const ItemPage page = ListItemPage(db, "工作", first, 4);
    EXPECT_EQ(page.total, all.size());
    std::vector<std::string> codes;
    for (const ItemRow& row : page.rows) codes.push_back(row.code);
    const std::size_t from = std::min(first, all.size()), to = std::min(first + 4, all.size());
    EXPECT_EQ(codes, std::vector<std::string>(all.begin() + from, all.begin() + to)) << first;
  }
  EXPECT_TRUE(ListItemPage(db, "工作", 0, 0).rows.empty());
  EXPECT_EQ(ListItemPage(db, "不存在", 0, 4).total, 0u);
}

TEST_F(OrderIndexTest, TheSizeIsCountedAgainOnlyWhenTheStoreChanged) {
  AddMixedRows("工作");
  PageReader reader;
  EXPECT_EQ(reader.Read(db, "工作", 0, 4).total, 11u);
  EXPECT_EQ(reader.Read(db, "工作", 4, 4).total, 11u);
  EXPECT_EQ(reader.counts(), 1u);

  ASSERT_TRUE(DeleteItem(db, "工作", "网址4"));
  EXPECT_EQ(reader.Read(db, "工作", 0, 4).total, 10u);
  EXPECT_EQ(reader.Read(db, "书签", 0, 4).total, 0u);
  EXPECT_EQ(reader.Read(db, "工作", 0, 4).total, 10u);
  EXPECT_EQ(reader.counts(), 4u);

  // Another program's commit is seen as well.
  Database other;
  ASSERT_TRUE(other.Open(DbPath()));
  ASSERT_TRUE(AddItem(other, "工作", {"网址新", {}, "新", "书签", {}, "2030-01-01 00:00:00"}));
  const ItemPage page = reader.Read(db, "工作", 0, 4);
  EXPECT_EQ(page.total, 11u);
  EXPECT_EQ(page.rows.front().code, "网址新");
}

TEST_F(OrderIndexTest, AnOlderStoreGetsItsIndexesAtOpenWithItsRowsUntouched) {
  AddMixedRows("书签");
  AddMixedRows("工作");
  ASSERT_TRUE(db.Execute("CREATE TABLE 备注 (文字 TEXT); INSERT INTO 备注 VALUES ('不是分类')"));
  const auto snapshot = [&](const std::string& table) {
    std::string rows;
    Statement q = db.Query("select rowid,* from " + QuoteIdentifier(table) + " order by rowid");
    while (q.Step()) {
      for (int c = 0; c < 9; ++c) rows += (q.ColumnIsNull(c) ? "<null>" : q.ColumnText(c)) + "|";
    }
    return rows;
  };
  const std::string keyed = snapshot("书签"), keyless = snapshot("工作");
  const std::vector<std::string> order = SortedCodes("工作");
  db.Close();

  for (int open = 0; open < 2; ++open) {
    ASSERT_EQ(OpenItemStore(db, DbPath()), OpenOutcome::kOpened);
    EXPECT_EQ(Indexes("书签").size(), 1u);  // the key's own index is made by SQLite and has no sql
    EXPECT_EQ(Indexes("工作").size(), 1u);  // a second open adds none
    EXPECT_TRUE(Indexes("备注").empty());
    EXPECT_EQ(snapshot("书签"), keyed);
    EXPECT_EQ(snapshot("工作"), keyless);
    EXPECT_EQ(ListCodes(db, "工作"), order);
    db.Close();
  }
}

TEST_F(OrderIndexTest, GroupsGetTheirIndexWhenMadeAndKeepItWhenRenamed) {
  ASSERT_EQ(CreateGroup(db, "Work"), GroupOutcome::kCreated);
  EXPECT_EQ(Indexes("Work").size(), 1u);
  ASSERT_EQ(RenameGroup(db, "Work", "办公"), GroupOutcome::kRenamed);
  EXPECT_EQ(Indexes("办公").size(), 1u);
  EXPECT_TRUE(EnsureOrderIndex(db, "办公"));
  EXPECT_EQ(Indexes("办公").size(), 1u);
  // The renamed group's index still has the old name, which schema names match in any case.
  ASSERT_EQ(CreateGroup(db, "work"), GroupOutcome::kCreated);
  EXPECT_EQ(Indexes("work").size(), 1u);
}

// The template file itself stays as it is written; its first open adds the indexes.
TEST_F(OrderIndexTest, AStoreWrittenFromTheTemplateGetsTheIndexOfEveryCategoryAtOpen) {
  const auto target = folder.path() / "模板.db";
  ASSERT_TRUE(WriteTemplateDatabase(target));
  db.Close();
  ASSERT_EQ(OpenItemStore(db, velora::text::PathToUtf8(target)), OpenOutcome::kOpened);
  for (const std::string_view category : kFixedCategories) {
    EXPECT_EQ(Indexes(std::string(category)).size(), 1u) << category;
  }
}

TEST_F(OrderIndexTest, ClearingKeepsOnlyTheSystemPlacesInTheirOrder) {
  for (const std::string table : {"书签", "工作"}) {
    for (const char* code : {"系统桌面", "网址https://a.cn/", "功能锁屏", "$$文本$$系统", "系统回收站"}) {
      ASSERT_TRUE(AddItem(db, table, {code, {}, "名", "", {}, ""}));
    }
    ASSERT_TRUE(db.Execute("update " + QuoteIdentifier(table) + " set 位置='留' where code='系统回收站'"));
    ASSERT_TRUE(ClearItems(db, table));
    EXPECT_EQ(ListCodes(db, table), (std::vector<std::string>{"系统桌面", "系统回收站"})) << table;
    EXPECT_EQ(Count("select count(*) from " + QuoteIdentifier(table) + " where 位置='留'"), 1) << table;
    ASSERT_TRUE(ClearItems(db, table));  // again, with nothing to clear
    EXPECT_EQ(ListCodes(db, table).size(), 2u);
  }
  EXPECT_FALSE(ClearItems(db, "不存在"));
  // When putting the system places back fails, the clear is undone: nothing is lost.
  ASSERT_TRUE(AddItem(db, "工作", {"网址https://b.cn/", {}, "名", "", {}, ""}));
  ASSERT_TRUE(db.Execute("create trigger 拒绝 before insert on 工作 begin select raise(abort, '拒绝'); end"));
  EXPECT_FALSE(ClearItems(db, "工作"));
  EXPECT_EQ(ListCodes(db, "工作"), (std::vector<std::string>{"系统桌面", "系统回收站", "网址https://b.cn/"}));
}

}  // namespace
}  // namespace velora::store
