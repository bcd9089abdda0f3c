#include "settings/decimal.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velora::settings;

TEST(Decimal, ReadsLikeTheUsualConversion) {
  EXPECT_EQ(ParseDecimal("  -42xyz"), -42);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal("- 5"), 0);
  EXPECT_EQ(ParseDecimal("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ParseDecimal("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(ParseDecimal("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(ParseInt("4294967296"), std::numeric_limits<int>::max());
}

TEST(Decimal, ColoursUseTheLow32BitsAndWriteSignExtended) {
  EXPECT_EQ(ParseColour("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseColour("4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseColour("-33554432"), 0xFE000000u);
  EXPECT_EQ(ParseColour("4294967296"), 0u);  // bit 32 is not part of the colour
  EXPECT_EQ(ColourText(0xFFFFFFFF), "-1");
  EXPECT_EQ(ColourText(0xFE000000), "-33554432");
  EXPECT_EQ(ColourText(0x7FFFFFFF), "2147483647");
  EXPECT_EQ(ParseColour(ColourText(0xFF303133)), 0xFF303133u);
}
