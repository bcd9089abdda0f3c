#include "settings/atomic_file.h"

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/temp_folder.h"

using namespace velora::settings;

namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileAtomically(target, kGood)); }
  bool TemporaryLeft() const { return std::filesystem::exists(AtomicFile::TemporaryPath(target)); }

  const std::string kGood = "[good]\r\nold=whole\r\n";
  velora::testing::TempFolder folder{"velora_设置"};
  std::filesystem::path target = SettingsPath(folder.path());
};

}  // namespace

TEST_F(AtomicFileTest, SaveStoppedHalfwayLeavesTheOldFileWhole) {
  {
    std::unique_ptr<AtomicFile> file = AtomicFile::Begin(target);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("[new]\r\nhalf"));
    EXPECT_EQ(ReadFileBytes(target), kGood);  // nothing shows before the commit
  }
  EXPECT_EQ(ReadFileBytes(target), kGood);
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(AtomicFileTest, CommitReplacesTheWholeFile) {
  const std::string big(3 << 20, 'x');  // more than one write call
  ASSERT_TRUE(WriteFileAtomically(target, big));
  EXPECT_EQ(ReadFileBytes(target), big);
  EXPECT_FALSE(TemporaryLeft());
}

// A save killed before its rename leaves its temporary file; the next one must neither read it
// nor trip over it.
TEST_F(AtomicFileTest, LeftoverOfAKilledSaveIsReplaced) {
  ASSERT_TRUE(WriteFileAtomically(AtomicFile::TemporaryPath(target), "[torn"));
  ASSERT_TRUE(std::filesystem::exists(AtomicFile::TemporaryPath(target)));
  EXPECT_EQ(ReadFileBytes(target), kGood);
  ASSERT_TRUE(WriteFileAtomically(target, "[new]\r\n"));
  EXPECT_EQ(ReadFileBytes(target), "[new]\r\n");
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(AtomicFileTest, SaveThatCannotStartKeepsTheOldFile) {
  // A folder in the temporary file's place: nothing can be written.
  std::filesystem::create_directory(AtomicFile::TemporaryPath(target));
  EXPECT_FALSE(AtomicFile::Begin(target));
  EXPECT_FALSE(SaveWindowSize(target, 1, 1));
  EXPECT_EQ(ReadFileBytes(target), kGood);
}

TEST_F(AtomicFileTest, MissingFileReadsAsNothing) {
  EXPECT_EQ(ReadFileBytes(folder.path() / "absent.ini"), std::nullopt);
}
