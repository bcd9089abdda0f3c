#include "formats/image_type.h"

namespace velora::formats {

bool IsImageBytes(std::string_view bytes) noexcept {
  constexpr std::string_view kIcon("\0\0\1\0", 4);  // reserved 0, type 1 (icon)
  if (bytes.starts_with(kIcon)) return bytes.size() >= 6 && (bytes[4] != '\0' || bytes[5] != '\0');
  return bytes.starts_with("\x89PNG\r\n\x1a\n") || bytes.starts_with("GIF87a") ||
         bytes.starts_with("GIF89a") || bytes.starts_with("\xFF\xD8\xFF") || bytes.starts_with("BM");
}

}  // namespace velora::formats
