#pragma once
// Which picture format bytes are by their first bytes, before any decoder sees them.
#include <string_view>

namespace velora::formats {

// The formats a site icon, a picture item or a cached icon comes in. kIcon is an icon file (not a
// cursor) that states at least one image; a server's error page is kNone.
enum class ImageType { kNone, kPng, kJpeg, kGif, kBmp, kIcon };

ImageType ImageTypeOf(std::string_view bytes) noexcept;

inline bool IsImageBytes(std::string_view bytes) noexcept { return ImageTypeOf(bytes) != ImageType::kNone; }

}  // namespace velora::formats
