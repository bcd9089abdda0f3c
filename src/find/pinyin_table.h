#pragma once
// Every toneless reading of the Chinese characters, from a table made at build time out of the
// go-pinyin dictionary: U+3400–U+4DBF, U+4E00–U+9FFF and 〇.
#include <cstdint>
#include <span>
#include <string_view>

namespace velora::find {

// The syllable ids of every reading of `c`, in the dictionary's order; empty for a character
// without readings (anything outside the covered ranges included).
std::span<const std::uint16_t> ReadingsOf(char32_t c);
// The syllable of an id: lowercase a–z, "v" for ü.
std::string_view SyllableText(std::uint16_t id);
std::size_t SyllableCount();

}  // namespace velora::find
