#pragma once
// Hex text: upper-case digits, two per byte, high nibble first. Used by path codes and
// picture thumbnails.
#include <string>
#include <string_view>

namespace velora::text {

std::string HexEncode(std::string_view bytes);

// Lenient decode that checks nothing, as stored item codes expect: an odd count decodes as if a
// "0" stood before the last digit, and non-digits still produce a byte.
std::string HexDecodeLenient(std::string_view hex);

}  // namespace velora::text
