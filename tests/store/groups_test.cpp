#include <gtest/gtest.h>

#include "store/groups.h"
#include "store/items.h"
#include "store/schema.h"
#include "store/table_builder.h"
#include "store/temp_store.h"

using namespace velora::store;
using velora::core::ToastKind;

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
  ASSERT_TRUE(CreateGroup(db, "工作").changed);
  ASSERT_TRUE(CreateGroup(db, "游戏").changed);
  EXPECT_EQ(BuildCategoryList(db), Fixed({"工作", "游戏"}));
}

TEST_F(GroupsTest, RenamedGroupKeepsItsPlace) {
  ASSERT_TRUE(CreateGroup(db, "甲").changed);
  ASSERT_TRUE(CreateGroup(db, "乙").changed);
  EXPECT_TRUE(RenameGroup(db, "甲", "丙").changed);
  EXPECT_EQ(BuildCategoryList(db), Fixed({"丙", "乙"}));
}

TEST_F(GroupsTest, CreateRefusesTakenBlankAndControlNames) {
  ASSERT_EQ(CreateTableFromFieldList(db, "搜索", kItemFieldList), kFieldListCreated);
  ASSERT_TRUE(CreateGroup(db, "工作").changed);
  for (const std::string name : {"搜索", "工作", "", "   ", "a\r\nb", "tab\there"}) {
    const GroupOutcome outcome = CreateGroup(db, name);
    EXPECT_FALSE(outcome.changed) << name;
    EXPECT_EQ(outcome.toast_kind, ToastKind::kFailed);
    EXPECT_EQ(outcome.toast_text, kCreateGroupFailed);
  }
  EXPECT_EQ(BuildCategoryList(db), Fixed({"工作"}));
}

TEST_F(GroupsTest, NamesWithSlashesAndQuotesStayOneCategory) {
  for (const std::string name : {"影音/娱乐", "it's", "say \"hi\"", "2024"}) {
    EXPECT_TRUE(CreateGroup(db, name).changed) << name;
  }
  EXPECT_EQ(BuildCategoryList(db), Fixed({"影音/娱乐", "it's", "say \"hi\"", "2024"}));
}

TEST_F(GroupsTest, RenameFailsOnTakenNamesAndWorksOnFixedTables) {
  ASSERT_TRUE(CreateGroup(db, "甲").changed);
  ASSERT_TRUE(CreateGroup(db, "乙").changed);
  const GroupOutcome taken = RenameGroup(db, "甲", "乙");
  EXPECT_FALSE(taken.changed);
  EXPECT_EQ(taken.toast_text, kRenameGroupFailed);
  EXPECT_FALSE(RenameGroup(db, "甲", "").changed);
  EXPECT_FALSE(RenameGroup(db, "没有", "丁").changed);

  ASSERT_EQ(CreateTableFromFieldList(db, "书签", kItemFieldList), kFieldListCreated);
  EXPECT_TRUE(RenameGroup(db, "书签", "网站").changed);
  EXPECT_EQ(BuildCategoryList(db), Fixed({"甲", "乙", "网站"}));
}

TEST_F(GroupsTest, DeleteActsOnTheShownCategoryAndRefusesFixedOnes) {
  ASSERT_TRUE(CreateGroup(db, "工作").changed);
  ASSERT_TRUE(AddItem(db, "工作", {"网址https://a.cn/", std::nullopt, "a", "书签", "", std::nullopt}));

  const GroupOutcome refused = DeleteGroup(db, "书签");
  EXPECT_FALSE(refused.changed);
  EXPECT_EQ(refused.toast_kind, ToastKind::kFailed);
  EXPECT_EQ(refused.toast_text, kFixedGroupUndeletable);

  const GroupOutcome deleted = DeleteGroup(db, "工作");
  EXPECT_TRUE(deleted.changed);
  EXPECT_EQ(deleted.toast_kind, ToastKind::kDone);
  EXPECT_EQ(deleted.toast_text, kGroupDeleted);
  EXPECT_EQ(BuildCategoryList(db), Fixed());
  EXPECT_TRUE(ListCodes(db, "工作").empty());
}
