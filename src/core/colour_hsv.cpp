#include "core/colour_hsv.h"

#include <algorithm>
#include <cmath>

namespace velora::core {
namespace {

std::uint32_t Channel(double unit) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Hsv ToHsv(std::uint32_t argb) {
  const double r = ((argb >> 16) & 0xFF) / 255.0;
  const double g = ((argb >> 8) & 0xFF) / 255.0;
  const double b = (argb & 0xFF) / 255.0;
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  const double range = high - low;
  Hsv hsv;
  hsv.value = high;
  hsv.saturation = high > 0 ? range / high : 0;
  if (range > 0) {
    double hue = 0;
    if (high == r) {
      hue = std::fmod((g - b) / range, 6.0);
    } else if (high == g) {
      hue = (b - r) / range + 2;
    } else {
      hue = (r - g) / range + 4;
    }
    hsv.hue = hue * 60;
    if (hsv.hue < 0) hsv.hue += 360;
  }
  return hsv;
}

std::uint32_t FromHsv(const Hsv& hsv, std::uint8_t alpha) {
  const double hue = std::fmod(std::fmod(hsv.hue, 360.0) + 360.0, 360.0) / 60.0;
  const double s = std::clamp(hsv.saturation, 0.0, 1.0);
  const double v = std::clamp(hsv.value, 0.0, 1.0);
  const double chroma = v * s;
  const double x = chroma * (1 - std::fabs(std::fmod(hue, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue)) {
    case 0:
      r = chroma, g = x;
      break;
    case 1:
      r = x, g = chroma;
      break;
    case 2:
      g = chroma, b = x;
      break;
    case 3:
      g = x, b = chroma;
      break;
    case 4:
      r = x, b = chroma;
      break;
    default:
      r = chroma, b = x;
      break;
  }
  const double m = v - chroma;
  return static_cast<std::uint32_t>(alpha) << 24 | Channel(r + m) << 16 | Channel(g + m) << 8 |
         Channel(b + m);
}

std::string HexText(std::uint32_t argb) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const bool opaque = (argb >> 24) == 0xFF;
  std::string text = "#";
  for (int shift = opaque ? 20 : 28; shift >= 0; shift -= 4) text += kDigits[(argb >> shift) & 0xF];
  return text;
}

std::optional<std::uint32_t> ParseHexColour(std::string_view text, std::uint8_t alpha) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  if (text.size() == 6) value |= static_cast<std::uint32_t>(alpha) << 24;
  return value;
}

}  // namespace velora::core
