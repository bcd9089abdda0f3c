// Real files, folders, drive letters and shares as "清理失效" sees them, and the check on its worker.
#include "acquire/missing_items_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/handles_win32.h"
#include "support/message_pump_win32.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::acquire {
namespace {

namespace fs = std::filesystem;

class MissingItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder / L"文件夹");
    std::ofstream(folder / L"在.txt") << "x";
  }
  std::string Utf8(const fs::path& path) const { return text::PathToUtf8(path); }

  velora::testing::TempFolder temp{"velora-失效"};
  const fs::path& folder = temp.path();
};

// A drive letter nothing is mapped to, as an unplugged drive leaves behind.
std::string UnmappedDrive() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Q'; letter <= 'Y'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
  }
  return {};
}

TEST_F(MissingItemsTest, OnlyANotFoundAnswerCountsAsGone) {
  EXPECT_EQ(ProbePath(Utf8(folder / L"在.txt")), PathPresence::kPresent);
  EXPECT_EQ(ProbePath(Utf8(folder / L"文件夹")), PathPresence::kPresent);
  EXPECT_EQ(ProbePath(Utf8(folder / L"没了.txt")), PathPresence::kMissing);
  EXPECT_EQ(ProbePath(Utf8(folder / L"没了的文件夹" / L"a.exe")), PathPresence::kMissing);
  const std::string drive = UnmappedDrive();
  ASSERT_FALSE(drive.empty());
  EXPECT_EQ(ProbePath(drive + "工具\\a.exe"), PathPresence::kUnknown);
  EXPECT_EQ(ProbePath("\\\\velora-no-such-host\\共享\\a.doc"), PathPresence::kUnknown);
  EXPECT_EQ(ProbePath("相对\\a.exe"), PathPresence::kUnknown);
}

TEST_F(MissingItemsTest, TheCheckRunsOnAWorkerAndPostsItsFindings) {
  const auto ui = core::UiDispatcher::Create();
  ASSERT_TRUE(ui);
  const std::string kept = text::PathCode(Utf8(folder / L"在.txt"));
  const std::string gone = text::PathCode(Utf8(folder / L"没了.txt"));
  MissingItemsChecker checker(ui->Poster());
  std::optional<MissingItemsFound> found;
  const auto done = [&](MissingItemsFound finding) { found = std::move(finding); };
  ASSERT_TRUE(checker.Start("软件", FileItemsOf({kept, gone, "网址http://a.cn/"}), done));
  EXPECT_FALSE(checker.Start("软件", {}, done)) << "a second check while one runs";

  ASSERT_TRUE(testing::PumpUntil([&] { return found.has_value(); }, 10000));
  EXPECT_EQ(found->table, "软件");
  EXPECT_EQ(found->check.missing_codes, std::vector<std::string>{gone});
  EXPECT_EQ(found->check.unchecked, 0u);
  EXPECT_FALSE(checker.Busy());
}

}  // namespace
}  // namespace velora::acquire
