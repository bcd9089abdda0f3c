#pragma once
// Small text tools shared by the header and cookie rules and the site-icon address. Header names,
// cookie prefixes and URL schemes are ASCII, so letter case is folded for ASCII letters only.
#include <string>
#include <string_view>
#include <vector>

namespace velora::net {

// Blanks are spaces and tabs, as in header lines.
std::string_view TrimBlanks(std::string_view text) noexcept;

// Position of `needle` in `haystack`, ASCII letter case ignored; npos when absent.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle) noexcept;

// Every occurrence of `needle` removed, ASCII letter case ignored.
std::string EraseAllNoCase(std::string_view text, std::string_view needle);

// Every occurrence of `needle` replaced by `replacement`, ASCII letter case ignored; the
// replacement is never searched again.
std::string ReplaceAllNoCase(std::string_view text, std::string_view needle, std::string_view replacement);

}  // namespace velora::net
