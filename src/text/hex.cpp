#include "text/hex.h"

namespace velora::text {
namespace {

unsigned DigitValue(unsigned char c) {
  if (c > 96) return c - 87u;
  if (c > 64) return c - 55u;
  return c - 48u;
}

}  // namespace

std::string HexEncode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // Written in place: path codes and thumbnails run to thousands of digits each.
  std::string out(bytes.size() * 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[2 * i] = kDigits[b >> 4];
    out[2 * i + 1] = kDigits[b & 0x0F];
  }
  return out;
}

std::string HexDecodeLenient(std::string_view hex) {
  std::string digits(hex);
  if (digits.size() % 2 != 0) digits.insert(digits.size() - 1, 1, '0');
  std::string out;
  out.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const unsigned high = DigitValue(static_cast<unsigned char>(digits[i]));
    const unsigned low = DigitValue(static_cast<unsigned char>(digits[i + 1]));
    out += static_cast<char>((high * 16 + low) & 0xFF);
  }
  return out;
}

}  // namespace velora::text
