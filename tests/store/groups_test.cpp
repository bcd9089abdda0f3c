#include <gtest/gtest.h>

#include "store/groups.h"
#include "store/items.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"

using namespace velora::store;

namespace {

using Names = std::vector<std::string>;

Names Fixed(Names extra = {}) {
  Names names(kFixedCategories.begin(), kFixedCategories.end());
  names.insert(names.end(), extra.begin(), extra.end());
  return names;
}

using GroupsTest = velora::testing::StoreTest;

}  // namespace

TEST_F(GroupsTest, FixedCategoriesComeFirstEvenWithoutTables) {
  EXPECT_EQ(BuildCategoryList(db), Fixed());
  ASSERT_EQ(CreateTableFromFieldList(db, "搜索", kItemFieldList), kFieldListCreated);
  ASSERT_TRUE(Changed(CreateGroup(db, "工作")));
  ASSERT_TRUE(Changed(CreateGroup(db, "游戏")));
  EXPECT_EQ(BuildCategoryList(db), Fixed({"工作", "游戏"}));
}

TEST_F(GroupsTest, RenamedGroupKeepsItsPlace) {
  ASSERT_TRUE(Changed(CreateGroup(db, "甲")));
  ASSERT_TRUE(Changed(CreateGroup(db, "乙")));
  EXPECT_TRUE(Changed(RenameGroup(db, "甲", "丙")));
  EXPECT_EQ(BuildCategoryList(db), Fixed({"丙", "乙"}));
}

TEST_F(GroupsTest, CreateRefusesTakenBlankAndControlNames) {
  ASSERT_EQ(CreateTableFromFieldList(db, "搜索", kItemFieldList), kFieldListCreated);
  ASSERT_TRUE(Changed(CreateGroup(db, "工作")));
  for (const std::string name : {"搜索", "工作", "", "   ", "a\r\nb", "tab\there"}) {
    EXPECT_EQ(CreateGroup(db, name), GroupOutcome::kCreateFailed) << name;
  }
  EXPECT_EQ(BuildCategoryList(db), Fixed({"工作"}));
}

TEST_F(GroupsTest, NamesWithSlashesAndQuotesStayOneCategory) {
  for (const std::string name : {"影音/娱乐", "it's", "say \"hi\"", "2024"}) {
    EXPECT_TRUE(Changed(CreateGroup(db, name))) << name;
  }
  EXPECT_EQ(BuildCategoryList(db), Fixed({"影音/娱乐", "it's", "say \"hi\"", "2024"}));
}

TEST_F(GroupsTest, RenameFailsOnTakenNamesAndWorksOnFixedTables) {
  ASSERT_TRUE(Changed(CreateGroup(db, "甲")));
  ASSERT_TRUE(Changed(CreateGroup(db, "乙")));
  EXPECT_EQ(RenameGroup(db, "甲", "乙"), GroupOutcome::kRenameFailed);
  EXPECT_FALSE(Changed(RenameGroup(db, "甲", "")));
  EXPECT_FALSE(Changed(RenameGroup(db, "没有", "丁")));

  ASSERT_EQ(CreateTableFromFieldList(db, "书签", kItemFieldList), kFieldListCreated);
  EXPECT_TRUE(Changed(RenameGroup(db, "书签", "网站")));
  EXPECT_EQ(BuildCategoryList(db), Fixed({"甲", "乙", "网站"}));
}

TEST_F(GroupsTest, DeleteActsOnTheShownCategoryAndRefusesFixedOnes) {
  ASSERT_TRUE(Changed(CreateGroup(db, "工作")));
  ASSERT_TRUE(AddItem(db, "工作", {"网址https://a.cn/", std::nullopt, "a", "书签", "", std::nullopt}));

  EXPECT_EQ(DeleteGroup(db, "书签"), GroupOutcome::kFixedGroupUndeletable);
  EXPECT_EQ(DeleteGroup(db, "工作"), GroupOutcome::kDeleted);
  EXPECT_EQ(BuildCategoryList(db), Fixed());
  EXPECT_TRUE(ListCodes(db, "工作").empty());
}
