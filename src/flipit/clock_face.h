#pragma once
// What the clock shows at a moment: the hours and the minutes (24-hour, two digits each) and
// the date in Chinese.
#include <array>
#include <string>

namespace velora::flipit {

struct LocalTime {
  int year = 0;
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  int weekday = 0;  // 0 = Sunday, as Windows counts
  int hour = 0;
  int minute = 0;
};

struct ClockFace {
  std::array<std::string, 2> cards;  // "07", "05"
  std::string caption;               // "5月3日 星期五"
  bool operator==(const ClockFace&) const = default;
};

ClockFace FaceAt(const LocalTime& time);

}  // namespace velora::flipit
