#include <gtest/gtest.h>

#include <regex>

#include "text/date.h"

using namespace velora::text;

TEST(Date, FixedWidthWithLeadingZeros) {
  EXPECT_EQ(FormatDate({2021, 11, 12, 10, 59, 3}), "2021-11-12 10:59:03");
  EXPECT_EQ(FormatDate({2026, 1, 2, 0, 0, 0}), "2026-01-02 00:00:00");
  // Text order equals time order.
  EXPECT_LT(FormatDate({2026, 9, 30, 23, 59, 59}), FormatDate({2026, 10, 1, 0, 0, 0}));
}

TEST(Date, NowIsALocalTimeInTheStoredFormat) {
  EXPECT_TRUE(std::regex_match(NowText(), std::regex(R"(20\d\d-[01]\d-[0-3]\d [0-2]\d:[0-5]\d:[0-5]\d)")));
}
