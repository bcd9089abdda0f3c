#include <gtest/gtest.h>

#include "text/gbk.h"

using namespace velora::text;

// The same vectors run against iconv natively and code page 936 under Windows.
TEST(Gbk, EncodesChineseAsTwoBytesAndAsciiAsOne) {
  EXPECT_EQ(Utf8ToGbk("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Utf8ToGbk("a配置b"),
            "a\xC5\xE4\xD6\xC3"
            "b");
  EXPECT_EQ(GbkToUtf8("\xD6\xD0\xCE\xC4"), "中文");
  EXPECT_EQ(GbkLength("热键注册成功"), 12u);
  EXPECT_EQ(GbkLength("Velora"), 6u);
  EXPECT_EQ(GbkLength(""), 0u);
}

TEST(Gbk, CharactersOutsideGbkBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a\u0E01b"), "a?b");  // Thai is not in GBK
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk("x\u0E01")), "x?");
}
