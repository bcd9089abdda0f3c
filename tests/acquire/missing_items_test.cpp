#include "acquire/missing_items.h"

#include <gtest/gtest.h>

#include <map>

#include "text/path_code.h"

namespace velora::acquire {
namespace {

TEST(FileItemsOf, OnlyCodesThatHoldAPath) {
  const std::string program = text::PathCode("C:\\工具\\a.exe");
  const std::string picture = text::PathCode("D:\\图\\b.PNG");
  const std::vector<std::string> codes = {
      "网址https://a.cn/", "系统我的电脑", "热键17+0+65",      "功能锁定屏幕",
      "$$文本$$C:\\a.txt", program,        text::PathCode(""), picture};
  EXPECT_EQ(FileItemsOf(codes),
            (std::vector<FileItem>{{program, "C:\\工具\\a.exe"}, {picture, "D:\\图\\b.PNG"}}));
}

TEST(FindMissing, RemovesOnlyWhatTheFileSystemCallsGoneAndAsksOncePerPath) {
  const std::vector<FileItem> items = {
      {"a", "C:\\在.exe"}, {"b", "C:\\没了.exe"}, {"c", "\\\\服务器\\共享\\x.doc"}, {"d", "C:\\没了.exe"}};
  std::map<std::string, int> asked;
  const MissingCheck check = FindMissing(items, [&](const std::string& path) {
    ++asked[path];
    if (path == "C:\\在.exe") return PathPresence::kPresent;
    if (path == "C:\\没了.exe") return PathPresence::kMissing;
    return PathPresence::kUnknown;  // a share that does not answer keeps its item
  });
  EXPECT_EQ(check.missing_codes, (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(check.unchecked, 1u);
  for (const auto& [path, times] : asked) EXPECT_EQ(times, 1) << path;
  EXPECT_EQ(asked.size(), 3u);
}

}  // namespace
}  // namespace velora::acquire
