#include <cstdio>

#include "text/date.h"

namespace velora::text {

std::string FormatDate(const LocalTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buffer;
}

}  // namespace velora::text
