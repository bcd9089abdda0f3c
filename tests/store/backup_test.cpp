// Backups of the item store: names and their order, retention, the restore sequence with a
// recording fake, and backup, restore and move-aside on real store files.
#include "store/backup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "store/open_store.h"
#include "temp_store.h"

namespace velora::store {
namespace {

namespace fs = std::filesystem;

class FakeClock final : public Clock {
 public:
  text::LocalTime Now() override { return now; }
  void AdvanceSeconds(int seconds) {
    const int total = now.hour * 3600 + now.minute * 60 + now.second + seconds;
    now.hour = total / 3600 % 24;
    now.minute = total / 60 % 60;
    now.second = total % 60;
    now.day += total / 86400;
  }
  text::LocalTime now{2026, 12, 10, 9, 30, 15};
};

std::string ReadBytes(const fs::path& file) {
  std::ostringstream bytes;
  bytes << std::ifstream(file, std::ios::binary).rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<std::string> Names(const std::vector<BackupFile>& files) {
  std::vector<std::string> names;
  for (const BackupFile& file : files) names.push_back(text::PathToUtf8(file.path.filename()));
  return names;
}

int CountRows(Database& db, const std::string& table) {
  Statement q = db.Query("select count(*) from " + QuoteIdentifier(table));
  return q.Step() ? q.ColumnInt(0) : -1;
}

}  // namespace

TEST(BackupNameTest, NamesSortByTimeAndSequenceAndOnlyOwnNamesParse) {
  const BackupName first{{2026, 12, 10, 9, 30, 15}, 1};
  const BackupName second{{2026, 12, 10, 9, 30, 15}, 2};
  EXPECT_EQ(BackupFileName(first), "Velora-20261210-093015.db");
  EXPECT_EQ(BackupFileName(second), "Velora-20261210-093015-2.db");
  for (const BackupName& name : {first, second, BackupName{{2027, 1, 2, 23, 5, 9}, 12}}) {
    const auto back = ParseBackupFileName(BackupFileName(name));
    ASSERT_TRUE(back.has_value()) << BackupFileName(name);
    EXPECT_EQ(BackupFileName(*back), BackupFileName(name));
  }
  EXPECT_TRUE(IsNewer(second, first));
  EXPECT_TRUE(IsNewer(BackupName{{2026, 12, 10, 9, 30, 16}, 1}, second));
  EXPECT_TRUE(IsNewer(BackupName{{2027, 1, 1, 0, 0, 0}, 1}, BackupName{{2026, 12, 31, 23, 59, 59}, 9}));
  for (std::string_view other : {"Velora.db", "Velora-20261210-093015.db.tmp", "Velora-20261310-093015.db",
                                 "Velora-20261210-093015-1.db", "Velora-20261210-0930.db", "笔记.db",
                                 "Velora-2026121a-093015.db", "Velora-20261210-093015-.db"}) {
    EXPECT_FALSE(ParseBackupFileName(other).has_value()) << other;
  }
}

class BackupFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(live.Open(text::PathToUtf8(StorePath()), Database::kOpenCreate));
    ASSERT_TRUE(
        live.Execute("create table 软件 (code TEXT); create table 书签 (code TEXT);"
                     "create table \"a\"\"组\" (code TEXT);"
                     "insert into 软件 values ('a'),('b'),('c'); insert into \"a\"\"组\" values ('d')"));
  }
  fs::path StorePath() const { return folder.path() / "Velora.db"; }
  fs::path BackupDir() const { return BackupFolder(folder.path()); }

  velora::testing::TempFolder folder;
  Database live;
  FakeClock clock;
  Backups backups{BackupDir(), clock};
};

TEST_F(BackupFilesTest, BackupsInOneSecondGetDistinctNamesAndListNewestFirst) {
  ASSERT_TRUE(backups.Make(live));
  ASSERT_TRUE(backups.Make(live));
  clock.AdvanceSeconds(-3600);  // the user's clock went back an hour
  ASSERT_TRUE(backups.Make(live));
  clock.AdvanceSeconds(3600);
  ASSERT_TRUE(backups.Make(live));
  WriteBytes(BackupDir() / "说明.txt", "not a backup");
  EXPECT_EQ(Names(ListBackups(BackupDir())),
            (std::vector<std::string>{"Velora-20261210-093015-3.db", "Velora-20261210-093015-2.db",
                                      "Velora-20261210-093015.db", "Velora-20261210-083015.db"}));
  for (const BackupFile& file : ListBackups(BackupDir())) {
    EXPECT_EQ(CountItems(file.path), std::optional<std::size_t>(4));
    EXPECT_FALSE(fs::exists(file.path.string() + ".tmp"));
  }
}

TEST_F(BackupFilesTest, OnlyTheNewestTwentyAreKeptAndOtherFilesAreLeftAlone) {
  fs::create_directories(BackupDir());
  WriteBytes(BackupDir() / "Velora-old.db", "kept");
  std::vector<std::string> made;
  for (int i = 0; i < 23; ++i) {
    const auto path = backups.Make(live);
    ASSERT_TRUE(path);
    made.push_back(text::PathToUtf8(path->filename()));
    clock.AdvanceSeconds(61);
  }
  const std::vector<std::string> kept = Names(ListBackups(BackupDir()));
  ASSERT_EQ(kept.size(), kBackupsKept);
  EXPECT_EQ(kept.front(), made.back());
  EXPECT_EQ(kept.back(), made[3]);
  EXPECT_EQ(ReadBytes(BackupDir() / "Velora-old.db"), "kept");
}

TEST_F(BackupFilesTest, ADailyBackupIsDueOncePerDate) {
  EXPECT_FALSE(backups.MadeToday());  // no folder yet
  ASSERT_TRUE(backups.Make(live));
  EXPECT_TRUE(backups.MadeToday());
  clock.AdvanceSeconds(14 * 3600 + 29 * 60 + 44);  // 23:59:59 the same day
  EXPECT_TRUE(backups.MadeToday());
  clock.AdvanceSeconds(1);
  EXPECT_FALSE(backups.MadeToday());
}

TEST_F(BackupFilesTest, ABackupWhileAnotherConnectionWritesIsAConsistentSnapshot) {
  Database writer;
  ASSERT_TRUE(writer.Open(text::PathToUtf8(StorePath())));
  writer.SetBusyWait(5000);
  ASSERT_TRUE(writer.Execute("begin; insert into 软件 values ('uncommitted')"));
  const auto pending = backups.Make(live);
  ASSERT_TRUE(writer.Execute("commit"));
  ASSERT_TRUE(pending);
  EXPECT_EQ(CountItems(*pending), std::optional<std::size_t>(4));

  // Every transaction adds one row to each of two tables: a torn copy would show unequal counts.
  std::atomic<bool> stop{false};
  std::atomic<int> committed{0};
  std::thread writing([&] {
    while (!stop) {
      if (writer.Execute(
              "begin immediate; insert into 软件 values ('w'); insert into 书签 values ('w'); commit"))
        ++committed;
      else
        (void)writer.Execute("rollback");
      // A writer that never paused would hold the lock a copy waits for nearly all the time on a
      // loaded machine, where each commit's flushes are slow; any real writer leaves gaps.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  // Each copy is read at once: retention removes the older ones as more are made. The deadline
  // only stops a test that hangs: a busy machine commits slowly, not wrongly.
  int copies = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while ((copies < 5 || committed < 50) && std::chrono::steady_clock::now() < deadline) {
    clock.AdvanceSeconds(1);
    const auto made = backups.Make(live);
    Database read;
    if (!made || !read.Open(text::PathToUtf8(*made), Database::kOpenReadOnly)) {
      ADD_FAILURE() << "no backup while the other connection writes";
      break;  // the writer must still be stopped and joined
    }
    ++copies;
    EXPECT_TRUE(IsSoundStore(*made));
    EXPECT_EQ(CountRows(read, "软件") - 4, CountRows(read, "书签"));
  }
  stop = true;
  writing.join();
  EXPECT_GE(committed.load(), 50);
}

// Its time is measured by BM_StoreBackup.
TEST_F(BackupFilesTest, ATenThousandItemStoreIsCopiedWhole) {
  ASSERT_TRUE(live.Execute("begin"));
  for (int i = 0; i < 10000; ++i) {
    Statement insert = live.Query("insert into 软件 values (?1)");
    ASSERT_TRUE(insert.Bind(1, "C:\\Program Files\\程序" + std::to_string(i) + "\\启动.exe").Run());
  }
  ASSERT_TRUE(live.Execute("commit"));
  const auto made = backups.Make(live);
  ASSERT_TRUE(made);
  EXPECT_EQ(CountItems(*made), std::optional<std::size_t>(10004));
}

// Records each step; a step listed in `failing` fails.
class RecordingSteps final : public RestoreSteps {
 public:
  bool BackUpCurrent() override { return Step("backup"); }
  bool IsSound(const fs::path&) override { return Step("check"); }
  bool Stage(const fs::path&, const fs::path& staged) override {
    staged_ = staged;
    return Step("stage");
  }
  void CloseStore() override { (void)Step("close"); }
  bool SwapIn(const fs::path& staged) override { return staged == staged_ && Step("swap"); }
  bool OpenStore() override { return Step("open"); }
  void Discard(const fs::path& staged) override { (void)Step(staged == staged_ ? "discard" : "discard?"); }

  std::string failing;
  std::vector<std::string> calls;

 private:
  bool Step(const std::string& name) {
    calls.push_back(name);
    return failing != name;
  }
  fs::path staged_;
};

TEST(RestoreSequenceTest, StepsRunInOrderAndAFailureLeavesTheStoreAsItWas) {
  using Calls = std::vector<std::string>;
  struct Case {
    std::string failing;
    bool back_up;
    RestoreOutcome outcome;
    Calls calls;
  };
  const Case cases[] = {
      {"", true, RestoreOutcome::kRestored, {"backup", "check", "stage", "close", "swap", "open"}},
      {"", false, RestoreOutcome::kRestored, {"check", "stage", "close", "swap", "open"}},
      {"backup", true, RestoreOutcome::kCurrentNotSaved, {"backup"}},
      {"check", true, RestoreOutcome::kCopyDamaged, {"backup", "check"}},
      {"stage", true, RestoreOutcome::kNotReplaced, {"backup", "check", "stage", "discard"}},
      {"swap",
       true,
       RestoreOutcome::kNotReplaced,
       {"backup", "check", "stage", "close", "swap", "discard", "open"}},
      {"open", true, RestoreOutcome::kNotReopened, {"backup", "check", "stage", "close", "swap", "open"}},
  };
  for (const Case& c : cases) {
    RecordingSteps steps;
    steps.failing = c.failing;
    EXPECT_EQ(Restore(steps, "backup/Velora-20261210-093015.db", "Velora.db", c.back_up), c.outcome)
        << c.failing;
    EXPECT_EQ(steps.calls, c.calls) << c.failing;
  }
}

TEST_F(BackupFilesTest, ARestoreBringsBackTheItemsAndKeepsTheCurrentStoreAsABackup) {
  const auto before = backups.Make(live);
  ASSERT_TRUE(before);
  ASSERT_TRUE(live.Execute("delete from 软件"));
  ASSERT_EQ(CountRows(live, "软件"), 0);
  clock.AdvanceSeconds(60);

  FileRestoreSteps steps(live, StorePath(), backups);
  EXPECT_EQ(Restore(steps, *before, StorePath()), RestoreOutcome::kRestored);
  ASSERT_TRUE(live.IsOpen());
  EXPECT_EQ(CountRows(live, "软件"), 3);
  EXPECT_TRUE(live.Execute("insert into 软件 values ('e')"));  // writable again
  EXPECT_FALSE(fs::exists(StagedRestorePath(StorePath())));
  const std::vector<BackupFile> listed = ListBackups(BackupDir());
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(CountItems(listed.front().path), std::optional<std::size_t>(1));  // the cleared store
  EXPECT_EQ(CountItems(listed.back().path), std::optional<std::size_t>(4));   // untouched by the restore
}

TEST_F(BackupFilesTest, ADamagedCopyIsRefusedAndTheStoreStaysOpenAndUnchanged) {
  fs::create_directories(BackupDir());
  const fs::path bad = BackupDir() / "Velora-20261209-080000.db";
  WriteBytes(bad, "SQLite format 3" + std::string(5000, 'Z'));
  FileRestoreSteps steps(live, StorePath(), backups);
  EXPECT_EQ(Restore(steps, bad, StorePath()), RestoreOutcome::kCopyDamaged);
  EXPECT_TRUE(live.IsOpen());
  EXPECT_EQ(CountRows(live, "软件"), 3);
  EXPECT_EQ(NewestSoundBackup(BackupDir())->path, ListBackups(BackupDir()).front().path);
  EXPECT_NE(NewestSoundBackup(BackupDir())->path, bad);  // the fresh backup of the current store
}

TEST_F(BackupFilesTest, AStoreDamagedPastItsSchemaIsFoundAndMovedAsideNeverDeleted) {
  ASSERT_TRUE(live.Execute("create table 目录 (code TEXT); create index 目录_code on 目录(code)"));
  ASSERT_TRUE(live.Execute("begin"));
  for (int i = 0; i < 4000; ++i) {
    ASSERT_TRUE(live.Query("insert into 目录 values (?1)").Bind(1, "D:\\资料\\" + std::to_string(i)).Run());
  }
  ASSERT_TRUE(live.Execute("commit"));
  live.Close();
  // Scribble over a page past the schema: the schema still reads, the check does not pass.
  std::string bytes = ReadBytes(StorePath());
  ASSERT_GT(bytes.size(), 12 * 4096u);
  std::fill(bytes.begin() + 10 * 4096 + 16, bytes.begin() + 11 * 4096, '\x7F');
  WriteBytes(StorePath(), bytes);

  EXPECT_EQ(OpenItemStore(live, text::PathToUtf8(StorePath())), OpenOutcome::kDamaged);
  EXPECT_FALSE(IsSoundStore(StorePath()));
  WriteBytes(fs::path(StorePath()) += "-journal", "journal of the old store");
  const auto aside = MoveDamagedStoreAside(StorePath(), clock);
  ASSERT_TRUE(aside);
  EXPECT_EQ(text::PathToUtf8(aside->filename()), "Velora.db.损坏-20261210-093015");
  EXPECT_EQ(ReadBytes(*aside), bytes);
  EXPECT_EQ(ReadBytes(fs::path(*aside) += "-journal"), "journal of the old store");
  EXPECT_FALSE(fs::exists(StorePath()));
  EXPECT_FALSE(fs::exists(fs::path(StorePath()) += "-journal"));

  // A second damaged store in the same second gets a name of its own.
  WriteBytes(StorePath(), "garbage");
  const auto second = MoveDamagedStoreAside(StorePath(), clock);
  ASSERT_TRUE(second);
  EXPECT_EQ(text::PathToUtf8(second->filename()), "Velora.db.损坏-20261210-093015-2");
  EXPECT_EQ(ReadBytes(*aside), bytes);
}

}  // namespace velora::store
