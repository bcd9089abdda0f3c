#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velora::text {

// Base64 of RFC 4648: standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(std::string_view bytes);

// The strict inverse of Base64Encode: nothing when the text is not exactly what it would write
// (another alphabet, missing or extra padding, blanks, bits left over in the last digit), so
// every accepted text decodes to one byte string and encodes back to itself.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace velora::text
