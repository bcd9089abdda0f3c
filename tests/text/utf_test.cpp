#include <gtest/gtest.h>

#include "text/utf.h"

using velora::text::Utf16ToUtf8;
using velora::text::Utf8ToUtf16;

TEST(Utf, RoundTripsChineseAndAstralCharacters) {
  const std::string text = "软件 C:\\目录\\😀.txt";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"软件 C:\\目录\\😀.txt");
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE4\xB8"), u"\uFFFD");                         // truncated sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");                         // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");                     // encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}
