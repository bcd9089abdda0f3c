#include <gtest/gtest.h>

#include "app/first_run.h"
#include "store/database.h"
#include "store/temp_store.h"
#include "text/fs_path.h"

using namespace velora::app;
using velora::store::Database;
using velora::text::PathToUtf8;

TEST(FirstRun, CreatesTheFoldersAndTheTemplateStore) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  EXPECT_EQ(PathToUtf8(data.filename()), "配置");
  PrepareDataDirectory(data);
  EXPECT_TRUE(std::filesystem::is_directory(IconDirectory(data)));
  Database db;
  ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
  EXPECT_TRUE(db.TableExists("搜索"));
}

TEST(FirstRun, KeepsUserDataAndRestoresADeletedStore) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  PrepareDataDirectory(data);
  {
    Database db;
    ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
    ASSERT_TRUE(db.Execute("delete from 书签"));
  }
  PrepareDataDirectory(data);
  {
    Database db;
    ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
    velora::store::Statement q = db.Query("select count(*) from 书签");
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.ColumnInt(0), 0);
  }
  std::filesystem::remove(DatabasePath(data));
  PrepareDataDirectory(data);
  Database db;
  ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
  velora::store::Statement q = db.Query("select count(*) from 书签");
  ASSERT_TRUE(q.Step());
  EXPECT_EQ(q.ColumnInt(0), 14);
}

TEST(FirstRun, ExactlyTwoMinutesAfterBootCountsAsStartedWithWindows) {
  EXPECT_FALSE(StartedByHand(0));
  EXPECT_FALSE(StartedByHand(120000));
  EXPECT_TRUE(StartedByHand(120001));
}
