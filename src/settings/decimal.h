#pragma once
// Numbers as the settings file writes them: decimal text, colours sign-extended to 64 bits.
#include <cstdint>
#include <string>
#include <string_view>

namespace velora::settings {

// Blanks, an optional sign, then digits up to the first other character, saturating; text
// without leading digits reads as 0.
std::int64_t ParseDecimal(std::string_view text);
int ParseInt(std::string_view text);
// Only the low 32 bits count, so the signed and the unsigned text of a colour read the same.
std::uint32_t ParseColour(std::string_view text);
// The colour's value sign-extended to 64 bits, as decimal text: 0xFFFFFFFF is "-1".
std::string ColourText(std::uint32_t argb);

}  // namespace velora::settings
