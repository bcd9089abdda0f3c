#pragma once
// The images of icon and cursor files that are no PNG: a device-independent bitmap without its
// file header. The header's height counts two halves, the colour rows and then a 1-bit mask whose
// set bits are clear pixels; both are stored bottom row first, each row padded to 4 bytes.
// Everything here reads untrusted bytes and never reads outside them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velora::formats {

// Where the parts of an image lie; every view points into the read bytes.
struct IconDib {
  int width = 0;
  int height = 0;     // of the picture: half the header's
  int bit_count = 0;  // 1, 4, 8, 24 or 32
  std::size_t colour_stride = 0;
  std::size_t mask_stride = 0;
  std::string_view palette;      // 4 bytes a colour (blue, green, red, unused); empty above 8 bits
  std::string_view colour_rows;  // `height` rows of `colour_stride` bytes
  std::string_view mask_rows;    // `height` rows of `mask_stride` bytes; empty when the bytes end first
};

// Empty unless the bytes are an uncompressed bitmap of 1 to 1024 pixels a side, in one of those
// depths, whose colour rows they hold.
std::optional<IconDib> ReadIconDib(std::string_view image);

struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // top row first
};

// The picture's pixels. A 32-bit image keeps its own alpha unless all of it is clear (as old
// tools wrote); otherwise the mask clears pixels, and without a mask all are opaque. Empty when
// the bytes are no such image or a pixel names a colour past the palette.
std::optional<IconPixels> IconDibPixels(std::string_view image);

}  // namespace velora::formats
