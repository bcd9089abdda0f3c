#pragma once
// Colours as the picker shows them: hue, saturation and value over the RGB part of an ARGB
// colour, and the hexadecimal text a user types.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velora::core {

struct Hsv {
  double hue = 0;         // degrees, 0 to below 360
  double saturation = 0;  // 0 to 1
  double value = 0;       // 0 to 1
};

// The alpha byte is not part of HSV: callers keep it.
Hsv ToHsv(std::uint32_t argb);
std::uint32_t FromHsv(const Hsv& hsv, std::uint8_t alpha);

// "#RRGGBB" when opaque, else "#AARRGGBB".
std::string HexText(std::uint32_t argb);
// Six digits keep `alpha`, eight carry their own; a leading "#" and spaces around are allowed.
std::optional<std::uint32_t> ParseHexColour(std::string_view text, std::uint8_t alpha);

}  // namespace velora::core
