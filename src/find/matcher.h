#pragma once
// Scores how well a typed query finds a name: literal substrings and prefixes, word starts
// ("vsc" finds "Visual Studio Code"), letters with gaps, and Pinyin for Chinese names by every
// reading of each character ("chongqi" and "zhongqi" both find 重启电脑; initials, full
// syllables, a mix, and a partial last syllable). One pass of dynamic programming over the name
// matches each character against all its readings at once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::find {

// The longest query that is matched; the rest of a longer one is ignored.
inline constexpr std::size_t kMaxQueryLength = 32;

// Lowercase, full-width forms as their half-width ones.
char32_t Fold(char32_t c);
std::u32string FoldedQuery(std::string_view utf8);

// A prepared name as the matcher reads it, wherever its arrays are kept.
struct NameView {
  std::u32string_view folded;
  const std::uint8_t* word_start = nullptr;
  const std::uint32_t* reading_letters = nullptr;
  std::uint64_t mask = 0;
};

// A name made ready once for every query: its folded characters, where words start, and a
// mask of the letters and characters it can match, to pass over it quickly.
struct PreparedName {
  std::u32string folded;
  std::vector<std::uint8_t> word_start;  // 1 where a word or a syllable starts
  // Per character, the letters of all its readings (bit 0 for a); 0 for a character without.
  std::vector<std::uint32_t> reading_letters;
  std::uint64_t mask = 0;

  NameView view() const { return {folded, word_start.data(), reading_letters.data(), mask}; }
};
PreparedName Prepare(std::string_view utf8);

// The bits a query's characters need in a name's mask.
std::uint64_t MaskOf(std::u32string_view folded);

// Higher is better; nothing when the name does not hold the query. An empty query matches
// nothing.
std::optional<int> Score(std::u32string_view folded_query, const NameView& name);

}  // namespace velora::find
