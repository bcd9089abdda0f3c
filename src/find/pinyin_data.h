#pragma once
// The tables cmake/PinyinTable.cmake generates from the dictionary; read through pinyin_table.h.
#include <cstddef>
#include <cstdint>

namespace velora::find::data {

// Code points first..last have kReadingStart entries base.. in order.
struct CodeRange {
  char32_t first;
  char32_t last;
  std::uint32_t base;
};
extern const CodeRange kRanges[];
extern const std::size_t kRangeCount;

// Syllable i is kSyllableText[kSyllableStart[i], kSyllableStart[i + 1]); sorted, so ids order as
// the text does.
extern const char kSyllableText[];
extern const std::uint16_t kSyllableStart[];
extern const std::size_t kSyllableCount;

// The readings of entry i are kReadings[kReadingStart[i], kReadingStart[i + 1]).
extern const std::uint16_t kReadingStart[];
extern const std::uint16_t kReadings[];

}  // namespace velora::find::data
