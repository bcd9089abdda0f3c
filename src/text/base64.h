#pragma once
#include <string>
#include <string_view>

namespace velora::text {

// Base64 of RFC 4648: standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(std::string_view bytes);

}  // namespace velora::text
