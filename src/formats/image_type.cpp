#include "formats/image_type.h"

namespace velora::formats {

ImageType ImageTypeOf(std::string_view bytes) noexcept {
  constexpr std::string_view kIcon("\0\0\1\0", 4);  // reserved 0, type 1 (icon)
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return ImageType::kPng;
  if (bytes.starts_with("\xFF\xD8\xFF")) return ImageType::kJpeg;
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return ImageType::kGif;
  if (bytes.starts_with("BM")) return ImageType::kBmp;
  if (bytes.starts_with(kIcon) && bytes.size() >= 6 && (bytes[4] != '\0' || bytes[5] != '\0')) {
    return ImageType::kIcon;
  }
  return ImageType::kNone;
}

}  // namespace velora::formats
