#pragma once
// The 日期 text: local time as "yyyy-MM-dd HH:mm:ss". Its fixed width makes text order time order.
#include <string>

namespace velora::text {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

std::string FormatDate(const LocalTime& t);
LocalTime LocalNow();
inline std::string NowText() { return FormatDate(LocalNow()); }

}  // namespace velora::text
