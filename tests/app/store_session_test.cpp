#include "app/store_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/temp_store.h"
#include "store/template_db.h"

using namespace velora;

namespace {

class FixedClock final : public store::Clock {
 public:
  text::LocalTime Now() override { return {2026, 12, 10, 9, 30, 15}; }
};

}  // namespace

TEST(StoreSession, ADamagedStoreGoesAsideAndTheTemplateIsNeitherBackedUpNorTheLastWord) {
  velora::testing::TempFolder folder;
  const auto store_file = folder.path() / "配置" / "Velora.db";
  std::filesystem::create_directories(store_file.parent_path());
  std::ofstream(store_file, std::ios::binary) << "not a database at all, just some bytes";
  FixedClock clock;
  app::StoreSession session(clock);
  session.Open(store_file, folder.path() / "backup");
  EXPECT_EQ(session.outcome(), store::OpenOutcome::kOpened);  // the template in its place
  ASSERT_FALSE(session.damaged_store().empty());
  EXPECT_TRUE(std::filesystem::exists(session.damaged_store()));
  EXPECT_TRUE(session.database().TableExists("搜索"));
  EXPECT_FALSE(session.BackUpForToday());
  EXPECT_FALSE(session.NewestSoundBackup());
}

TEST(StoreSession, TheDaysBackupIsMadeOnceAndARestoreTellsWhoShowsTheStore) {
  velora::testing::TempFolder folder;
  const auto store_file = folder.path() / "Velora.db";
  ASSERT_TRUE(store::WriteTemplateDatabase(store_file));
  FixedClock clock;
  app::StoreSession session(clock);
  session.Open(store_file, folder.path() / "backup");
  ASSERT_EQ(session.outcome(), store::OpenOutcome::kOpened);
  EXPECT_TRUE(session.BackUpForToday());
  EXPECT_FALSE(session.BackUpForToday());
  const std::optional<store::BackupFile> newest = session.NewestSoundBackup();
  ASSERT_TRUE(newest);

  int changes = 0;
  session.on_changed = [&] { ++changes; };
  EXPECT_EQ(session.Restore(newest->path, /*back_up_current=*/false), store::RestoreOutcome::kRestored);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(session.outcome(), store::OpenOutcome::kOpened);
  EXPECT_TRUE(session.database().TableExists("搜索"));
}
