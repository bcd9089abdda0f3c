#include "find/matcher.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "find/pinyin_table.h"
#include "text/utf.h"

namespace velora::find {
namespace {

// Per query character: a literal match outweighs a Pinyin match of the same span.
constexpr int kLiteral = 16;
constexpr int kPinyinLetter = 14;
constexpr int kWholeSyllable = 4;  // a reading typed out in full
constexpr int kWordStart = 10;
constexpr int kNameStart = 8;
constexpr int kConsecutive = 6;
constexpr int kGapOpen = 5;
constexpr int kGapExtend = 1;
constexpr int kNone = INT_MIN / 4;

bool IsAsciiLetter(char32_t c) { return c >= U'a' && c <= U'z'; }
bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsHan(char32_t c) { return !ReadingsOf(c).empty(); }

// What a character is for where words start: 0 a separator, 1 a letter, 2 a digit, 3 a Chinese
// character (each one a syllable of its own).
int KindOf(char32_t folded) {
  if (IsHan(folded)) return 3;
  if (IsDigit(folded)) return 2;
  if (IsAsciiLetter(folded)) return 1;
  const bool punctuation = folded < 0x80 || (folded >= 0x3000 && folded <= 0x303F) || folded >= 0xFF00;
  return punctuation ? 0 : 1;
}

std::uint64_t Bit(char32_t c) {
  if (IsAsciiLetter(c)) return std::uint64_t{1} << (c - U'a');
  if (IsDigit(c)) return std::uint64_t{1} << (26 + (c - U'0'));
  return std::uint64_t{1} << (36 + c % 28);
}

// How many letters of `reading` a Han character may take from a query at one place: its initial
// ("zh", "ch", "sh" count as one), the whole reading, or any start of it when the query ends
// there (the syllable is still being typed).
bool TakesPrefix(std::string_view reading, std::size_t length, bool ends_query) {
  if (length == reading.size() || length == 1 || ends_query) return true;
  return length == 2 && reading.size() > 2 && reading[1] == 'h' &&
         (reading[0] == 'z' || reading[0] == 'c' || reading[0] == 's');
}

// Whether the query's characters come in the name's order, each taken by a character equal to it
// or by one with a reading that holds it: what every match needs, checked in one pass before the
// full scoring.
bool MayHold(std::u32string_view query, const NameView& name) {
  std::size_t j = 0;
  for (const char32_t q : query) {
    const std::uint32_t letter = IsAsciiLetter(q) ? std::uint32_t{1} << (q - U'a') : 0;
    while (j < name.folded.size() && name.folded[j] != q && !(name.reading_letters[j] & letter)) ++j;
    if (j == name.folded.size()) return false;
    // A Chinese character may take more letters of the query; any other character takes one.
    if (name.folded[j] == q) ++j;
  }
  return true;
}

}  // namespace

char32_t Fold(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + (U'a' - U'A');
  if (c >= 0xFF01 && c <= 0xFF5E) return Fold(c - 0xFEE0);  // full-width ASCII
  if (c == 0x3000) return U' ';                             // the ideographic space
  return c;
}

std::u32string FoldedQuery(std::string_view utf8) {
  std::u32string folded = text::Utf8ToUtf32(utf8);
  for (char32_t& c : folded) c = Fold(c);
  if (folded.size() > kMaxQueryLength) folded.resize(kMaxQueryLength);
  return folded;
}

PreparedName Prepare(std::string_view utf8) {
  const std::u32string raw = text::Utf8ToUtf32(utf8);
  PreparedName name;
  name.folded.reserve(raw.size());
  name.word_start.reserve(raw.size());
  int before = 0;  // the kind of the character before
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char32_t c = Fold(raw[i]);
    const int here = KindOf(c);
    // "VisualStudio": a capital after a small letter starts a word.
    const bool upper_after_lower = i && raw[i] != c && IsAsciiLetter(c) && IsAsciiLetter(raw[i - 1]);
    const bool start = here != 0 && (here == 3 || here != before || upper_after_lower);
    name.folded += c;
    name.word_start.push_back(start ? 1 : 0);
    name.mask |= Bit(c);
    std::uint32_t letters = 0;
    for (const std::uint16_t id : ReadingsOf(c)) {
      for (const char letter : SyllableText(id)) letters |= std::uint32_t{1} << (letter - 'a');
    }
    name.reading_letters.push_back(letters);
    name.mask |= letters;  // the letters' bits are the first 26 of the mask
    before = here;
  }
  return name;
}

std::uint64_t MaskOf(std::u32string_view folded) {
  std::uint64_t mask = 0;
  for (const char32_t c : folded) mask |= Bit(c);
  return mask;
}

std::optional<int> Score(std::u32string_view query, const NameView& name) {
  query = query.substr(0, kMaxQueryLength);
  const std::size_t m = query.size();
  if (m == 0 || (MaskOf(query) & ~name.mask) != 0 || !MayHold(query, name)) return std::nullopt;
  // ended[i]: the best score with the first i query characters taken, the last by the previous
  // character of the name; earlier[i]: the same with the last taken further back (the gap
  // between already paid).
  // Only the first m + 1 entries are used: a short query touches few (the name is scored for
  // every keystroke over many items).
  std::array<int, kMaxQueryLength + 1> ended;
  std::array<int, kMaxQueryLength + 1> earlier;
  std::array<int, kMaxQueryLength + 1> now;
  std::fill_n(ended.begin(), m + 1, kNone);
  std::fill_n(earlier.begin(), m + 1, kNone);
  int best = kNone;
  std::size_t reach = 0;  // the most query characters any state has taken so far
  for (std::size_t j = 0; j < name.folded.size(); ++j) {
    std::fill_n(now.begin(), m + 1, kNone);
    const char32_t c = name.folded[j];
    const int start_bonus = (name.word_start[j] ? kWordStart : 0) + (j == 0 ? kNameStart : 0);
    const std::uint32_t letters = name.reading_letters[j];
    for (std::size_t i = 0; i <= reach && i < m; ++i) {
      const int from =
          std::max({i == 0 ? 0 : kNone, earlier[i], ended[i] == kNone ? kNone : ended[i] + kConsecutive});
      if (from == kNone) continue;
      if (query[i] == c) now[i + 1] = std::max(now[i + 1], from + kLiteral + start_bonus);
      // The readings are looked up only when one of them can take this letter.
      if (!IsAsciiLetter(query[i]) || !(letters & (std::uint32_t{1} << (query[i] - U'a')))) continue;
      for (const std::uint16_t id : ReadingsOf(c)) {
        const std::string_view reading = SyllableText(id);
        for (std::size_t length = 1; length <= reading.size() && i + length <= m; ++length) {
          if (query[i + length - 1] != static_cast<char32_t>(reading[length - 1])) break;
          if (!TakesPrefix(reading, length, i + length == m)) continue;
          const int gained = kPinyinLetter * static_cast<int>(length) + start_bonus +
                             (length == reading.size() ? kWholeSyllable : 0);
          now[i + length] = std::max(now[i + length], from + gained);
        }
      }
    }
    best = std::max(best, now[m]);
    for (std::size_t i = m; i > reach; --i) {
      if (now[i] != kNone) {
        reach = i;
        break;
      }
    }
    for (std::size_t i = 1; i <= m; ++i) {
      earlier[i] = std::max(earlier[i] == kNone ? kNone : earlier[i] - kGapExtend,
                            ended[i] == kNone ? kNone : ended[i] - kGapOpen);
    }
    std::copy_n(now.begin(), m + 1, ended.begin());
  }
  if (best == kNone) return std::nullopt;
  return best;
}

}  // namespace velora::find
