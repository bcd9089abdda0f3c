#include "settings/decimal.h"

#include <limits>

namespace velora::settings {

std::int64_t ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  std::uint64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (magnitude > (limit - digit) / 10) {
      magnitude = limit;  // saturates
      break;
    }
    magnitude = magnitude * 10 + digit;
  }
  // Two's complement wrap-around is defined for this conversion.
  return static_cast<std::int64_t>(negative ? ~magnitude + 1 : magnitude);
}

int ParseInt(std::string_view text) {
  const std::int64_t value = ParseDecimal(text);
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::uint32_t ParseColour(std::string_view text) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ParseDecimal(text)));
}

std::string ColourText(std::uint32_t argb) {
  return std::to_string(static_cast<std::int64_t>(static_cast<std::int32_t>(argb)));
}

}  // namespace velora::settings
