#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

#include "app/first_run.h"
#include "store/database.h"
#include "store/temp_store.h"
#include "text/fs_path.h"

using namespace velora::app;
using velora::store::Database;
using velora::text::PathToUtf8;

namespace {

using namespace std::string_view_literals;

// Stands in for the screensaver the program carries; binary, with a zero byte inside.
constexpr std::string_view kSaver = "MZ\x90\0 a screensaver's bytes"sv;

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(FirstRun, CreatesTheFoldersAndTheTemplateStore) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  EXPECT_EQ(PathToUtf8(data.filename()), "配置");
  PrepareDataDirectory(data, kSaver);
  EXPECT_TRUE(std::filesystem::is_directory(IconDirectory(data)));
  Database db;
  ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
  EXPECT_TRUE(db.TableExists("搜索"));
}

TEST(FirstRun, KeepsUserDataAndRestoresADeletedStore) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  PrepareDataDirectory(data, kSaver);
  {
    Database db;
    ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
    ASSERT_TRUE(db.Execute("delete from 书签"));
  }
  PrepareDataDirectory(data, kSaver);
  {
    Database db;
    ASSERT_TRUE(db.Open(PathToUtf8(DatabasePath(data))));
    velora::store::Statement q = db.Query("select count(*) from 书签");
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.ColumnInt(0), 0);
  }
  std::filesystem::remove(DatabasePath(data));
  PrepareDataDirectory(data, kSaver);
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

TEST(FirstRun, WritesTheStoreThenTheScreensaverAndNoTemporaryFileStays) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  EXPECT_EQ(PrepareDataDirectory(data, kSaver),
            (std::vector<std::filesystem::path>{DatabasePath(data), ScreensaverPath(data)}));
  EXPECT_EQ(PathToUtf8(ScreensaverPath(data).filename()), "FlipIt.scr");
  EXPECT_EQ(ScreensaverPath(data).parent_path(), data);
  EXPECT_EQ(Contents(ScreensaverPath(data)), kSaver);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(data))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"FlipIt.scr", "Velora.db", "icon"}));
}

TEST(FirstRun, ALaterRunWritesNothingAndKeepsTheUsersScreensaver) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  (void)PrepareDataDirectory(data, kSaver);
  EXPECT_TRUE(PrepareDataDirectory(data, kSaver).empty());
  {
    std::ofstream out(ScreensaverPath(data), std::ios::binary | std::ios::trunc);
    out << "another screensaver under our name";
  }
  EXPECT_TRUE(PrepareDataDirectory(data, kSaver).empty());
  EXPECT_EQ(Contents(ScreensaverPath(data)), "another screensaver under our name");
}

TEST(FirstRun, EachMissingFileIsRestoredOnItsOwn) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  (void)PrepareDataDirectory(data, kSaver);
  std::filesystem::remove(ScreensaverPath(data));
  EXPECT_EQ(PrepareDataDirectory(data, kSaver), (std::vector<std::filesystem::path>{ScreensaverPath(data)}));
  EXPECT_EQ(Contents(ScreensaverPath(data)), kSaver);
  std::filesystem::remove(DatabasePath(data));
  EXPECT_EQ(PrepareDataDirectory(data, kSaver), (std::vector<std::filesystem::path>{DatabasePath(data)}));
}

TEST(FirstRun, ALeftoverOfAnInterruptedWriteIsReplacedAndRemoved) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  std::filesystem::create_directories(data);
  std::filesystem::path leftover = ScreensaverPath(data);
  leftover += ".tmp";
  { std::ofstream(leftover, std::ios::binary) << "MZ half"; }
  ASSERT_EQ(PrepareDataDirectory(data, kSaver).size(), 2u);
  EXPECT_EQ(Contents(ScreensaverPath(data)), kSaver);
  EXPECT_FALSE(std::filesystem::exists(leftover));
}

TEST(FirstRun, AProgramWithoutItsScreensaverWritesNoEmptyFile) {
  velora::testing::TempFolder folder;
  const auto data = DataDirectory(folder.path());
  EXPECT_EQ(PrepareDataDirectory(data, {}), (std::vector<std::filesystem::path>{DatabasePath(data)}));
  EXPECT_FALSE(std::filesystem::exists(ScreensaverPath(data)));
  // Once the bytes are there, the next start writes it.
  EXPECT_EQ(PrepareDataDirectory(data, kSaver), (std::vector<std::filesystem::path>{ScreensaverPath(data)}));
}
