#include "exec/macro_code.h"

namespace velora::exec {
namespace {

constexpr int kMaxValue = 1'000'000;

int LeadingNumber(std::string_view piece) {
  int value = 0;
  for (const char c : piece) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > kMaxValue) value = kMaxValue;
  }
  return value;
}

}  // namespace

MacroKeys ParseMacroKeys(std::string_view key_codes) {
  MacroKeys result;
  std::size_t start = 0;
  while (result.pieces < 3) {
    const std::size_t plus = key_codes.find('+', start);
    const std::string_view piece =
        key_codes.substr(start, plus == std::string_view::npos ? plus : plus - start);
    result.keys[static_cast<std::size_t>(result.pieces++)] = LeadingNumber(piece);
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  return result;
}

}  // namespace velora::exec
