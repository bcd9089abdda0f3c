#include "find/matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find/find_index.h"

namespace velora::find {
namespace {

bool Finds(std::string_view query, std::string_view name) {
  return Score(FoldedQuery(query), Prepare(name).view()).has_value();
}

struct Case {
  const char* query;
  const char* name;
  bool found;
};

TEST(Matcher, FindsByLettersWordsPinyinAndFoldedForms) {
  const Case cases[] = {
      // Literal, prefix, any case, full-width forms.
      {"note", "Notepad++", true},
      {"PAD", "Notepad++", true},
      {"ｎｏｔｅ", "Notepad++", true},
      {"note", "ＮＯＴＥＰＡＤ", true},
      {"微信", "微信", true},
      // Word starts and letters with gaps.
      {"vsc", "Visual Studio Code", true},
      {"vsc", "VisualStudioCode", true},
      {"vdc", "Visual Studio Code", true},
      {"cv", "Visual Studio Code", false},  // the order counts
      {"x", "Visual Studio Code", false},
      // Pinyin: full syllables, initials, a mix, a partial last syllable.
      {"weixin", "微信", true},
      {"wx", "微信", true},
      {"wxin", "微信", true},
      {"weix", "微信", true},
      {"bdfy", "百度翻译", true},
      {"baidufan", "百度翻译", true},
      {"baduf", "百度翻译", false},  // a partial syllable only at the end
      // Every reading of a polyphonic character; "zh", "ch", "sh" are initials.
      {"chongqi", "重启电脑", true},
      {"zhongqi", "重启电脑", true},
      {"zhqdn", "重启电脑", true},
      {"tongqi", "重启电脑", true},
      {"yinyue", "QQ音乐", true},
      {"qqyl", "QQ音乐", true},
      {"qqyy", "QQ音乐", true},
      // ü is typed "v".
      {"lvse", "绿色", true},
      {"lv", "旅行", true},
      // Mixed scripts and the file name of a path.
      {"qq音", "QQ音乐", true},
      {"wps", "WPS文字", true},
      {"wpswz", "WPS文字", true},
      {"", "微信", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Finds(c.query, c.name), c.found) << c.query << " in " << c.name;
}

TEST(Matcher, RanksLiteralPrefixAndWordStartsAbovePinyinAndGaps) {
  const auto score = [](std::string_view query, std::string_view name) {
    return Score(FoldedQuery(query), Prepare(name).view()).value_or(-1000);
  };
  EXPECT_GT(score("code", "Code"), score("code", "Visual Studio Code"));        // a prefix
  EXPECT_GT(score("vsc", "Visual Studio Code"), score("vsc", "Avast Secure"));  // word starts
  EXPECT_GT(score("xin", "xin助手"), score("xin", "信助手"));                   // literal over Pinyin
  EXPECT_GT(score("weixin", "微信"), score("weixin", "微型信箱"));              // no gap
}

TEST(FindIndex, BestFirstAcrossCategoriesAndNarrowingAsTheQueryGrows) {
  FindIndex index;
  index.Add("软件", "1", "微型计算器", "");
  index.Add("软件", "2", "微信", "C:\\Program Files\\Tencent\\WeChat.exe");
  index.Add("书签", "3", "维基百科", "");
  index.Add("目录", "4", "下载", "D:\\Downloads");
  std::vector<std::string> codes;
  for (const std::string query : {"w", "wx", "wxi"}) {
    codes.clear();
    for (const FindHit& hit : index.Query(FoldedQuery(query), 10))
      codes.push_back(index.entries()[hit.entry].code);
    ASSERT_FALSE(codes.empty()) << query;
  }
  // 微型 is still being typed as far as "xi" goes; the whole syllable comes first.
  EXPECT_EQ(codes, (std::vector<std::string>{"2", "1"}));
  // A query that does not extend the last one looks at every entry again.
  const std::vector<FindHit> hits = index.Query(FoldedQuery("down"), 10);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(index.entries()[hits[0].entry].code, "4");  // by its folder's name
  EXPECT_EQ(index.Query(FoldedQuery("wechat"), 1).size(), 1u);
  EXPECT_EQ(FileNameOf("C:\\a/b\\c.exe"), "c.exe");
}

TEST(FindIndex, UsageOrdersLikeMatchesButNeverLiftsAPoorOne) {
  constexpr long long kNow = 1'800'000'000;
  EXPECT_EQ(UsageBonus(0, 0, kNow), 0);
  EXPECT_LT(UsageBonus(1, kNow - 30 * 86400, kNow), UsageBonus(100, kNow - 30 * 86400, kNow));
  EXPECT_LT(UsageBonus(3, kNow - 30 * 86400, kNow), UsageBonus(3, kNow - 60, kNow));
  EXPECT_EQ(UsageBonus(1'000'000, kNow, kNow), UsageBonus(1'000'000'000, kNow, kNow));  // capped
  FindIndex index;
  index.Add("软件", "rarely", "微信", "");
  index.Add("软件", "often", "微信", "", UsageBonus(50, kNow - 60, kNow));
  index.Add("软件", "poor", "微软输入法 新版", "", UsageBonus(1'000'000, kNow, kNow));
  const std::vector<FindHit> hits = index.Query(FoldedQuery("weixin"), 3);
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(index.entries()[hits[0].entry].code, "often");
  EXPECT_EQ(index.entries()[hits[1].entry].code, "rarely");
}

}  // namespace
}  // namespace velora::find
