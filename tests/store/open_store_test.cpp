// Opening the store at start-up: every outcome from a real file, and a file that cannot be used
// is left exactly as it was.
#include "store/open_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "temp_store.h"

namespace velora::store {
namespace {

class OpenStoreTest : public ::testing::Test {
 protected:
  std::string Path() const { return text::PathToUtf8(folder.path() / "Velora.db"); }
  void Write(const std::string& bytes) {
    std::ofstream(folder.path() / "Velora.db", std::ios::binary) << bytes;
  }
  std::string Read() const {
    std::ostringstream bytes;
    bytes << std::ifstream(folder.path() / "Velora.db", std::ios::binary).rdbuf();
    return bytes.str();
  }

  velora::testing::TempFolder folder;
  Database db;
};

}  // namespace

TEST_F(OpenStoreTest, AGoodStoreOpensAndAMissingOneIsNotCreated) {
  EXPECT_EQ(OpenItemStore(db, Path()), OpenOutcome::kMissing);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Velora.db"));

  {
    Database seed;
    ASSERT_TRUE(seed.Open(Path(), Database::kOpenCreate));
    ASSERT_TRUE(seed.Execute("CREATE TABLE 软件 (code TEXT)"));
  }
  EXPECT_EQ(OpenItemStore(db, Path()), OpenOutcome::kOpened);
  EXPECT_TRUE(db.IsOpen());
  EXPECT_TRUE(db.TableExists("软件"));
}

TEST_F(OpenStoreTest, DamagedFilesAreFoundAtOnceAndKeptByteForByte) {
  for (const std::string& bytes : {std::string("这不是数据库") + std::string(5000, 'x'),
                                   std::string("SQLite format 3") + std::string(4081, '\x5A')}) {
    Write(bytes);
    EXPECT_EQ(OpenItemStore(db, Path()), OpenOutcome::kDamaged);
    EXPECT_FALSE(db.IsOpen());  // nothing can write to it by mistake later
    EXPECT_EQ(Read(), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Velora.db-journal"));
  }
}

TEST_F(OpenStoreTest, AStoreAnotherProgramIsWritingCountsAsLocked) {
  Database writer;
  ASSERT_TRUE(writer.Open(Path(), Database::kOpenCreate));
  ASSERT_TRUE(
      writer.Execute("CREATE TABLE 软件 (code TEXT); BEGIN EXCLUSIVE; INSERT INTO 软件 VALUES ('x')"));
  EXPECT_EQ(OpenItemStore(db, Path()), OpenOutcome::kLocked);
  EXPECT_FALSE(db.IsOpen());
  ASSERT_TRUE(writer.Execute("COMMIT"));
  // Once the writer is done, the same file opens with its row.
  EXPECT_EQ(OpenItemStore(db, Path()), OpenOutcome::kOpened);
  Statement rows = db.Query("SELECT count(*) FROM 软件");
  ASSERT_TRUE(rows.Step());
  EXPECT_EQ(rows.ColumnInt(0), 1);
}

}  // namespace velora::store
