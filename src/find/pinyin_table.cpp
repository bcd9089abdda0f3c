#include "find/pinyin_table.h"

#include "find/pinyin_data.h"

namespace velora::find {

std::span<const std::uint16_t> ReadingsOf(char32_t c) {
  // Most characters a name holds lie outside every range (the ranges are in order).
  if (c < data::kRanges[0].first || c > data::kRanges[data::kRangeCount - 1].last) return {};
  for (std::size_t r = data::kRangeCount; r-- > 0;) {
    const data::CodeRange& range = data::kRanges[r];
    if (c < range.first || c > range.last) continue;
    const std::size_t entry = range.base + (c - range.first);
    const std::uint16_t begin = data::kReadingStart[entry];
    const std::uint16_t end = data::kReadingStart[entry + 1];
    return {data::kReadings + begin, static_cast<std::size_t>(end - begin)};
  }
  return {};
}

std::string_view SyllableText(std::uint16_t id) {
  if (id >= data::kSyllableCount) return {};
  const std::uint16_t begin = data::kSyllableStart[id];
  return {data::kSyllableText + begin, static_cast<std::size_t>(data::kSyllableStart[id + 1] - begin)};
}

std::size_t SyllableCount() { return data::kSyllableCount; }

}  // namespace velora::find
