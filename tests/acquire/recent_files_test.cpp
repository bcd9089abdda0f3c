#include "acquire/recent_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace velora::acquire {

void PrintTo(const RecentName& n, std::ostream* out) { *out << n.name << " | " << n.extension; }

namespace {

RecentName Name(std::string name, std::string extension) { return {std::move(name), std::move(extension)}; }

TEST(RecentName, DropsTheShortcutSuffixThenSplitsAtTheLastDot) {
  EXPECT_EQ(RecentNameOf("季度报告.docx.lnk"), Name("季度报告", ".docx"));
  EXPECT_EQ(RecentNameOf("archive.tar.gz.lnk"), Name("archive.tar", ".gz"));
  EXPECT_EQ(RecentNameOf("Photo.JPG.LNK"), Name("Photo", ".JPG"));
}

TEST(RecentName, ANameWithoutExtensionReadsAsAFolder) {
  EXPECT_EQ(RecentNameOf("下载.lnk"), Name("下载", "文件夹"));
  EXPECT_EQ(RecentNameOf("Makefile.lnk"), Name("Makefile", "文件夹"));
  // A dot that ends the name, starts it, or is followed by a blank makes no extension.
  EXPECT_EQ(RecentNameOf("草稿..lnk"), Name("草稿.", "文件夹"));
  EXPECT_EQ(RecentNameOf(".gitignore.lnk"), Name(".gitignore", "文件夹"));
  EXPECT_EQ(RecentNameOf("第3.5章 总结.lnk"), Name("第3.5章 总结", "文件夹"));
}

TEST(RecentName, AnyFileLosesItsLastFourCharacters) {
  // Not only shortcuts: the hidden desktop.ini of the folder reads as a folder named desktop.
  EXPECT_EQ(RecentNameOf("desktop.ini"), Name("desktop", "文件夹"));
  EXPECT_EQ(RecentNameOf("a.b"), Name("", "文件夹"));
  EXPECT_EQ(RecentNameOf(""), Name("", "文件夹"));
  // Counted in UTF-16: a character outside the basic plane is two, and a cut through one leaves
  // nothing of it.
  EXPECT_EQ(RecentNameOf("笑脸😀.lnk"), Name("笑脸😀", "文件夹"));
  EXPECT_EQ(RecentNameOf("abc😀xyz"), Name("abc", "文件夹"));
  EXPECT_EQ(RecentNameOf("ab😀😀"), Name("ab", "文件夹"));
}

TEST(RecentTimeText, FollowsTheClockSetting) {
  const text::LocalTime afternoon{2024, 3, 5, 13, 4, 5};
  EXPECT_EQ(RecentTimeText(afternoon, true), "2024-03-05 13:04:05");
  // No morning or afternoon marker: 13:04 and 01:04 read the same.
  EXPECT_EQ(RecentTimeText(afternoon, false), "2024-03-05 01:04:05");
  const text::LocalTime midnight{2024, 12, 31, 0, 0, 0};
  EXPECT_EQ(RecentTimeText(midnight, true), "2024-12-31 00:00:00");
  EXPECT_EQ(RecentTimeText(midnight, false), "2024-12-31 12:00:00");
  EXPECT_EQ(RecentTimeText({2024, 12, 31, 12, 30, 0}, false), "2024-12-31 12:30:00");
  EXPECT_EQ(RecentTimeText({2024, 12, 31, 23, 59, 59}, false), "2024-12-31 11:59:59");
}

TEST(NewestRecentFiles, KeepsTheFiftyNewestNewestFirst) {
  std::vector<RecentFile> files;
  for (int i = 0; i < 120; ++i) files.push_back({"f" + std::to_string(i), 1'000'000 + i * 7});
  std::shuffle(files.begin(), files.end(), std::mt19937(12));
  const std::vector<RecentFile> shown = NewestRecentFiles(files);
  ASSERT_EQ(shown.size(), kRecentRowLimit);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].path, "f" + std::to_string(119 - i));
    EXPECT_EQ(shown[i].written, 1'000'000 + static_cast<std::int64_t>(119 - i) * 7);
  }
}

TEST(NewestRecentFiles, FilesOfTheSameSecondKeepTheOrderTheyWereFoundIn) {
  const std::vector<RecentFile> shown =
      NewestRecentFiles({{"old", 5}, {"b", 9}, {"a", 9}, {"new", 12}, {"c", 9}, {"older", 1}});
  std::vector<std::string> paths;
  for (const RecentFile& f : shown) paths.push_back(f.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"new", "b", "a", "c", "old", "older"}));
  EXPECT_TRUE(NewestRecentFiles({}).empty());

  // Where ties straddle the limit, the first found of them are kept.
  std::vector<RecentFile> tied(60, {"", 3});
  for (std::size_t i = 0; i < tied.size(); ++i) tied[i].path = std::to_string(i);
  const std::vector<RecentFile> kept = NewestRecentFiles(tied);
  ASSERT_EQ(kept.size(), kRecentRowLimit);
  EXPECT_EQ(kept.front().path, "0");
  EXPECT_EQ(kept.back().path, "49");
}

}  // namespace
}  // namespace velora::acquire
