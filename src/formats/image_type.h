#pragma once
// Whether bytes are a picture by their first bytes, before any decoder sees them.
#include <string_view>

namespace velora::formats {

// An icon (not a cursor) with at least one image, PNG, GIF, JPEG or BMP: the formats a site
// icon or a picture item comes in. A server's error page is none of them.
bool IsImageBytes(std::string_view bytes) noexcept;

}  // namespace velora::formats
