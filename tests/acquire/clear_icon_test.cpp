#include "acquire/clear_icon.h"

#include <gtest/gtest.h>

#include "assets/images/builtin_images.h"
#include "store/items.h"
#include "store/temp_store.h"

using namespace velora;

namespace {

class ClearIconTest : public velora::testing::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    ASSERT_TRUE(
        db.Execute("create table 书签 (code, 路径, 名称, 位置, 类别, 后缀, 图标, 日期);"
                   "create table 搜索 (code, 路径, 名称, 位置, 类别, 后缀, 图标, 日期);"));
    for (const char* table : {"书签", "搜索"}) {
      ASSERT_TRUE(store::AddItem(db, table, {kCode, {}, "例子", "书签", "ABCDEF0123", {}}));
    }
  }
  static constexpr const char* kCode = "网址https://example.com/";
};

}  // namespace

TEST_F(ClearIconTest, EmptiesTheIconOfItsOwnRowAndShowsTheDefaultImage) {
  const exec::ImageBytes image = acquire::ClearItemIcon(db, "书签", kCode);
  EXPECT_EQ(image.bytes(), assets::ImageBytesOf(assets::BuiltinImage::kDefaultItem));
  EXPECT_EQ(store::ReadItem(db, "书签", kCode)->icon, "");
  EXPECT_EQ(store::ReadItem(db, "搜索", kCode)->icon, "ABCDEF0123") << "the same address elsewhere";
}

TEST_F(ClearIconTest, LeavesTheCellAsItWasWhenTheStoreRefuses) {
  EXPECT_TRUE(acquire::ClearItemIcon(db, "已删除的分组", kCode).empty());
}
