#pragma once
// What is checked of a JSON text from outside before it is parsed: its size and how deep it nests,
// so a huge or pathological file is refused at once and cheaply.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/outcome.h"

namespace velora::transfer {

// Far above any real catalogue or bookmark file (a catalogue of 10,000 items with pictures is a
// few megabytes).
inline constexpr std::size_t kMaxJsonBytes = std::size_t{64} << 20;
// A catalogue nests five deep; a bookmark file two more per folder level.
inline constexpr int kMaxJsonNesting = 128;

// kTooLarge, kTooDeep, or kNone for a text that may be parsed.
Refusal CheckJsonText(std::string_view text, std::size_t max_bytes = kMaxJsonBytes);

// The file's bytes, refused as kTooLarge before reading when it is larger than the limit, or as
// kUnreadable.
std::optional<std::string> ReadJsonFile(const std::filesystem::path& file, Refusal& refusal,
                                        std::size_t max_bytes = kMaxJsonBytes);

}  // namespace velora::transfer
