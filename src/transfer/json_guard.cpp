#include "transfer/json_guard.h"

#include <cstdint>
#include <system_error>

#include "core/file_bytes.h"

namespace velora::transfer {

Refusal CheckJsonText(std::string_view text, std::size_t max_bytes) {
  if (text.size() > max_bytes) return Refusal::kTooLarge;
  // Brackets inside strings do not count; the parser judges everything else.
  int depth = 0;
  bool in_string = false;
  bool escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonNesting) return Refusal::kTooDeep;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return Refusal::kNone;
}

std::optional<std::string> ReadJsonFile(const std::filesystem::path& file, Refusal& refusal,
                                        std::size_t max_bytes) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  refusal = ec ? Refusal::kUnreadable : size > max_bytes ? Refusal::kTooLarge : Refusal::kNone;
  if (refusal != Refusal::kNone) return std::nullopt;
  std::optional<std::string> bytes = core::ReadFileBytes(file);
  if (!bytes)
    refusal = Refusal::kUnreadable;
  else if (bytes->size() > max_bytes)
    refusal = Refusal::kTooLarge;  // it grew meanwhile
  if (refusal != Refusal::kNone) return std::nullopt;
  return bytes;
}

}  // namespace velora::transfer
