#include <gtest/gtest.h>

#include "flipit/clock_face.h"

using velora::flipit::FaceAt;
using velora::flipit::LocalTime;

TEST(ClockFace, HoursAndMinutesInTwoDigitsOnTheTwentyFourHourClock) {
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 7, 5}).cards, (std::array<std::string, 2>{"07", "05"}));
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 0, 0}).cards, (std::array<std::string, 2>{"00", "00"}));
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 23, 59}).cards, (std::array<std::string, 2>{"23", "59"}));
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 12, 30}).cards, (std::array<std::string, 2>{"12", "30"}));
}

TEST(ClockFace, TheDateReadsAsMonthDayAndWeekdayWithSundayCountedFirst) {
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 9, 0}).caption, "5月3日 星期五");
  EXPECT_EQ(FaceAt({2024, 12, 29, 0, 9, 0}).caption, "12月29日 星期日");
  EXPECT_EQ(FaceAt({2025, 1, 1, 3, 9, 0}).caption, "1月1日 星期三");
  EXPECT_EQ(FaceAt({2025, 1, 4, 6, 9, 0}).caption, "1月4日 星期六");
}

TEST(ClockFace, TheDateChangesAtMidnightAndNotWithTheMinutes) {
  const auto before = FaceAt({2024, 5, 3, 5, 23, 59});
  const auto after = FaceAt({2024, 5, 4, 6, 0, 0});
  EXPECT_NE(before.caption, after.caption);
  EXPECT_EQ(FaceAt({2024, 5, 3, 5, 23, 58}).caption, before.caption);
}
