// The index finding by typing searches, read from a real store: every fixed category and user
// group, a file's name beside the item's, and the launch counts in the ranking.
#include "ui/find_index_build.h"

#include <gtest/gtest.h>

#include "find/matcher.h"
#include "store/groups.h"
#include "store/items.h"
#include "store/launch_counts.h"
#include "store/template_db.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"
#include "text/path_code.h"

namespace velora::ui {
namespace {

TEST(BuildFindIndex, ReadsEveryCategoryAndGroupWithFileNamesAndLaunchCounts) {
  testing::TempFolder folder;
  ASSERT_TRUE(store::WriteTemplateDatabase(folder.path() / "Velora.db"));
  store::Database db;
  ASSERT_TRUE(db.Open(text::PathToUtf8(folder.path() / "Velora.db")));
  ASSERT_EQ(store::CreateGroup(db, "聊天"), store::GroupOutcome::kCreated);
  const std::string wechat = text::PathCode("C:\\Program Files\\Tencent\\WeChat.exe");
  ASSERT_TRUE(store::AddItem(db, "聊天", {wechat, {}, "微信", "exe", {}, {}}));
  ASSERT_TRUE(store::AddItem(db, "聊天", {"$$文本$$wx", {}, "微型信箱", "文本", {}, {}}));

  store::Database counts_file;
  ASSERT_TRUE(store::OpenLaunchCounts(counts_file, text::PathToUtf8(folder.path() / "counts.db")));
  ASSERT_TRUE(store::RecordLaunchCount(counts_file, "聊天", "$$文本$$wx", 100));
  ASSERT_TRUE(store::RecordLaunchCount(counts_file, "聊天", "$$文本$$wx", 200));
  const store::LaunchCounts counts = store::ReadLaunchCounts(counts_file);
  ASSERT_EQ(counts.at({"聊天", "$$文本$$wx"}).count, 2);

  const auto index = BuildFindIndex(db, counts, 200);
  const auto best = [&](std::string_view query) -> std::pair<std::string, std::string> {
    const std::vector<find::FindHit> hits = index->Query(find::FoldedQuery(query), 1);
    if (hits.empty()) return {};
    const find::FindEntry& entry = index->entries()[hits[0].entry];
    return {entry.category, entry.code};
  };
  EXPECT_EQ(best("bdfy"),
            (std::pair<std::string, std::string>{// a web search of the template
                                                 "搜索", "网址https://fanyi.baidu.com/#auto/zh/$关键词$"}));
  EXPECT_EQ(best("wechat"), (std::pair<std::string, std::string>{"聊天", wechat}));  // by its file name
  // Initials alike: the one launched ranks first.
  EXPECT_EQ(best("wx"), (std::pair<std::string, std::string>{"聊天", "$$文本$$wx"}));
}

}  // namespace
}  // namespace velora::ui
