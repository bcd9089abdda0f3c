#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find/pinyin_table.h"

using velora::find::ReadingsOf;
using velora::find::SyllableCount;
using velora::find::SyllableText;

namespace {

std::vector<std::string> Readings(char32_t c) {
  std::vector<std::string> texts;
  for (const std::uint16_t id : ReadingsOf(c)) texts.emplace_back(SyllableText(id));
  return texts;
}

}  // namespace

TEST(PinyinTable, ReadingsAreTonelessDistinctAndInTheDictionarysOrder) {
  using Texts = std::vector<std::string>;
  const struct {
    char32_t c;
    Texts readings;
  } cases[] = {
      {U'重', {"zhong", "chong", "tong"}},
      {U'行', {"xing", "hang", "heng"}},
      {U'乐', {"le", "yue"}},
      {U'微', {"wei"}},
      {U'信', {"xin", "shen"}},
      {U'绿', {"lv", "lu"}},
      {U'〇', {"ling", "yuan", "xing"}},
      {U'\u3400', {"qiu"}},  // the first of Extension A
      {U'\u9FA5', {"yu"}},
      {U'A', {}},
      {U'\U0001F600', {}},
      {U'\U00020000', {}},  // beyond the covered ranges, though the dictionary has it
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(static_cast<std::uint32_t>(test.c));
    EXPECT_EQ(Readings(test.c), test.readings);
  }
}

TEST(PinyinTable, EverySyllableIsLowercaseLetters) {
  ASSERT_GT(SyllableCount(), 300u);
  for (std::size_t id = 0; id < SyllableCount(); ++id) {
    const std::string_view text = SyllableText(static_cast<std::uint16_t>(id));
    SCOPED_TRACE(id);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string_view::npos) << text;
  }
  EXPECT_TRUE(SyllableText(static_cast<std::uint16_t>(SyllableCount())).empty());
}
