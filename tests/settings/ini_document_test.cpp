#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"

using velora::settings::IniDocument;
using velora::text::Utf8ToGbk;

namespace {

std::string RoundTrip(const std::string& value) {
  IniDocument doc;
  EXPECT_TRUE(doc.Set("编辑框", "编辑框_书签地址", value));
  return IniDocument::Parse(doc.Serialize()).Get("编辑框", "编辑框_书签地址").value_or("<missing>");
}

}  // namespace

// Bytes as the Windows profile functions write them on a Chinese system; the code page of the
// machine reading them must not matter (under Wine here it is 1252).
TEST(IniDocument, ReadsGbkBytesWhateverTheSystemCodePage) {
  const std::string file =
      "[\xB3\xF5\xCA\xBC\xBB\xAF]\r\n"              // [初始化]
      "\xB4\xB0\xBF\xDA\xBF\xED\xB6\xC8=640\r\n"    // 窗口宽度=640
      "[\xB1\xE0\xBC\xAD\xBF\xF2]\r\n"              // [编辑框]
      "\xB1\xE0\xBC\xAD\xBF\xF2_\xC3\xFB\xB3\xC6="  // 编辑框_名称=
      "\xD6\xD0\xCE\xC4 abc\r\n";                   // 中文 abc
  const IniDocument doc = IniDocument::Parse(file);
  EXPECT_EQ(doc.Get("初始化", "窗口宽度"), "640");
  EXPECT_EQ(doc.Get("编辑框", "编辑框_名称"), "中文 abc");
}

TEST(IniDocument, ReadsAFileAnEditorSavedAsUnicode) {
  const IniDocument utf8 = IniDocument::Parse("\xEF\xBB\xBF[初始化]\r\n窗口宽度=640\r\n");
  EXPECT_EQ(utf8.Get("初始化", "窗口宽度"), "640");
  const std::u16string wide = u"[初始化]\r\n窗口宽度=641\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : wide) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  EXPECT_EQ(IniDocument::Parse(bytes).Get("初始化", "窗口宽度"), "641");
}

// "锘扛" is EF BB BF B8 in GBK. Written at the start of the file (the blanks before it go), it
// must not make the next reading take the whole file for UTF-8 and lose every Chinese name in it.
TEST(IniDocument, LeadingTextThatLooksLikeAUtf8MarkReadsBackAsGbk) {
  const IniDocument doc = IniDocument::Parse(Utf8ToGbk("  锘扛=1\r\n[初始化]\r\n窗口宽度=640\r\n"));
  const std::string saved = doc.Serialize();
  const IniDocument again = IniDocument::Parse(saved);
  EXPECT_EQ(again.Get("初始化", "窗口宽度"), "640");
  EXPECT_EQ(again.Serialize(), saved);
}

TEST(IniDocument, WritesGbkSectionsAndKeysWithCrlf) {
  IniDocument doc;
  ASSERT_TRUE(doc.Set("初始化", "窗口宽度", "510"));
  ASSERT_TRUE(doc.Set("初始化", "窗口高度", "311"));
  ASSERT_TRUE(doc.Set("选择框", "选择框_靠边伸缩", "真"));
  EXPECT_EQ(doc.Serialize(), Utf8ToGbk("[初始化]\r\n窗口宽度=510\r\n窗口高度=311\r\n\r\n"
                                       "[选择框]\r\n选择框_靠边伸缩=真\r\n"));
}

TEST(IniDocument, ReadsLikeTheProfileFunctions) {
  const IniDocument doc =
      IniDocument::Parse(Utf8ToGbk("stray line before any section\n"
                                   "  [ 初始化 ]  \n"
                                   "  窗口宽度 =  640  \r"
                                   "窗口宽度=999\n"  // a second line of the same key: the first wins
                                   "Key_A=\"quoted\"\n"
                                   "Key_B='single'\n"
                                   "Key_C=\"not closed\n"
                                   "Key_D=\"\n"
                                   "; a comment\n"
                                   "no equals sign\n"
                                   "[初始化]\n"
                                   "窗口高度=1\n"));  // a repeated section is never reached
  EXPECT_EQ(doc.Get("初始化", "窗口宽度"), "640");
  EXPECT_EQ(doc.Get("初始化", "key_a"), "quoted");  // ASCII letter case does not count
  EXPECT_EQ(doc.Get("初始化", "KEY_B"), "single");
  EXPECT_EQ(doc.Get("初始化", "Key_C"), "\"not closed");
  EXPECT_EQ(doc.Get("初始化", "Key_D"), "\"");
  EXPECT_EQ(doc.Get("初始化", "no equals sign"), std::nullopt);
  EXPECT_EQ(doc.Get("初始化", "窗口高度"), std::nullopt);
  EXPECT_EQ(doc.Get("缺少", "窗口宽度"), std::nullopt);
}

TEST(IniDocument, KeepsLinesItDoesNotChange) {
  const std::string original =
      Utf8ToGbk("; written by hand\r\n[其他]\r\n名字 = \"值\" \r\n孤行\r\n\r\n[初始化]\r\n窗口宽度=1\r\n");
  IniDocument doc = IniDocument::Parse(original);
  ASSERT_TRUE(doc.Set("初始化", "窗口宽度", "510"));
  const IniDocument again = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(again.Get("其他", "名字"), "值");
  EXPECT_EQ(again.Get("初始化", "窗口宽度"), "510");
  EXPECT_NE(doc.Serialize().find(Utf8ToGbk("; written by hand\r\n")), std::string::npos);
  EXPECT_NE(doc.Serialize().find(Utf8ToGbk("孤行\r\n")), std::string::npos);
}

// What a reader would trim or unquote is stored quoted, so it comes back exactly; quoting also
// reads right with the Windows profile functions.
TEST(IniDocument, ValuesComeBackExactly) {
  for (const std::string value : {"  leading and trailing  ", "\"both quoted\"", "'single'", "\"", "\"half",
                                  "a=b=c", "[not a section]", "", "\ttab"}) {
    EXPECT_EQ(RoundTrip(value), value) << value;
  }
}

TEST(IniDocument, ValueOverTheOldBufferIsNotCut) {
  std::string value;
  while (value.size() < 30000) value += "中文abc";
  EXPECT_EQ(RoundTrip(value), value);
  EXPECT_GT(Utf8ToGbk(value).size(), 10239u);
}

// A line break in a value would let the value write lines of its own, even sections.
TEST(IniDocument, LineBreakInValueCannotStartALine) {
  IniDocument doc;
  ASSERT_TRUE(doc.Set("组合框", "下拉框_热键", "F1\r\n[初始化]\n窗口宽度=1"));
  const IniDocument again = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(again.Get("初始化", "窗口宽度"), std::nullopt);
  EXPECT_EQ(again.Get("组合框", "下拉框_热键"), "F1  [初始化] 窗口宽度=1");
}

TEST(IniDocument, RefusesNamesThatCannotBeStored) {
  IniDocument doc;
  EXPECT_FALSE(doc.Set("初始化", "a=b", "x"));
  EXPECT_FALSE(doc.Set("初始化", "", "x"));
  EXPECT_FALSE(doc.Set("初始化", "two\nlines", "x"));
  EXPECT_FALSE(doc.Set("初始化", " padded", "x"));
  EXPECT_FALSE(doc.Set("初始化", "[key", "x"));
  EXPECT_FALSE(doc.Set("a]b", "key", "x"));
  EXPECT_FALSE(doc.Set("", "key", "x"));
  EXPECT_EQ(doc.Serialize(), "");
}

TEST(IniDocument, SetReplacesTheFirstMatchInPlace) {
  IniDocument doc = IniDocument::Parse(Utf8ToGbk("[初始化]\r\nA=1\r\nB=2\r\n"));
  ASSERT_TRUE(doc.Set("初始化", "a", "3"));
  EXPECT_EQ(doc.Serialize(), Utf8ToGbk("[初始化]\r\nA=3\r\nB=2\r\n"));
}

TEST(IniDocument, EntriesAreWhatGetReads) {
  const IniDocument doc = IniDocument::Parse(
      Utf8ToGbk("stray=0\r\n[初始化]\r\n窗口宽度=640\r\nWidth= \" a \" \r\nwidth=2\r\nno line\r\n"
                "[编辑框]\r\n编辑框_名称=中文\r\n[初始化]\r\n窗口高度=9\r\n"));
  using Entry = IniDocument::Entry;
  EXPECT_EQ(doc.Entries(), (std::vector<Entry>{{"初始化", "窗口宽度", "640"},
                                               {"初始化", "Width", " a "},
                                               {"编辑框", "编辑框_名称", "中文"}}));
  for (const Entry& entry : doc.Entries()) EXPECT_EQ(doc.Get(entry.section, entry.key), entry.value);
}
