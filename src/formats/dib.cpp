#include "formats/dib.h"

#include "formats/little_endian.h"

namespace velora::formats {
namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr int kLargestSide = 1024;  // an image above this is no real icon

std::uint32_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]));
}

// A colour as the bitmap stores it: blue, green, red.
std::uint32_t Rgb(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at + 2) << 16 | Byte(bytes, at + 1) << 8 | Byte(bytes, at);
}

}  // namespace

std::optional<IconDib> ReadIconDib(std::string_view image) {
  if (image.size() < kHeaderSize) return std::nullopt;
  const std::uint32_t header_size = ReadLe32(image, 0);
  const auto width = static_cast<std::int32_t>(ReadLe32(image, 4));
  const std::int32_t height = static_cast<std::int32_t>(ReadLe32(image, 8)) / 2;
  const int bits = ReadLe16(image, 14);
  const std::uint32_t colours_used = ReadLe32(image, 32);
  if (header_size < kHeaderSize || ReadLe32(image, 16) != kUncompressed || width <= 0 || height <= 0 ||
      width > kLargestSide || height > kLargestSide ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    return std::nullopt;
  }
  const std::uint64_t palette_size = bits <= 8 ? (colours_used ? colours_used : 1u << bits) : 0;
  if (palette_size > 256) return std::nullopt;

  IconDib dib;
  dib.width = width;
  dib.height = height;
  dib.bit_count = bits;
  dib.colour_stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  dib.mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  // In 64 bits: the header's own size may be anything up to 4 GiB.
  const std::uint64_t colour_at = std::uint64_t{header_size} + palette_size * 4;
  const std::uint64_t mask_at = colour_at + std::uint64_t{dib.colour_stride} * dib.height;
  if (mask_at > image.size()) return std::nullopt;
  dib.palette = image.substr(header_size, static_cast<std::size_t>(palette_size * 4));
  dib.colour_rows =
      image.substr(static_cast<std::size_t>(colour_at), static_cast<std::size_t>(mask_at - colour_at));
  const std::size_t mask_size = dib.mask_stride * static_cast<std::size_t>(dib.height);
  if (image.size() - mask_at >= mask_size)
    dib.mask_rows = image.substr(static_cast<std::size_t>(mask_at), mask_size);
  return dib;
}

std::optional<IconPixels> IconDibPixels(std::string_view image) {
  const std::optional<IconDib> dib = ReadIconDib(image);
  if (!dib) return std::nullopt;
  const auto width = static_cast<std::size_t>(dib->width);
  const auto height = static_cast<std::size_t>(dib->height);
  const auto bits = static_cast<std::size_t>(dib->bit_count);
  const std::size_t palette_size = dib->palette.size() / 4;
  IconPixels out{dib->width, dib->height, std::vector<std::uint32_t>(width * height)};

  bool any_alpha = false;
  for (std::size_t row = 0; row < height; ++row) {
    const std::string_view line = dib->colour_rows.substr(dib->colour_stride * (height - 1 - row));
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits == 32) {
        argb = Byte(line, x * 4 + 3) << 24 | Rgb(line, x * 4);
        any_alpha = any_alpha || (argb >> 24) != 0;
      } else if (bits == 24) {
        argb = 0xFF000000u | Rgb(line, x * 3);
      } else {
        const std::size_t bit = x * bits;
        const std::uint32_t index = (Byte(line, bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette_size) return std::nullopt;
        argb = 0xFF000000u | Rgb(dib->palette, std::size_t{index} * 4);
      }
      out.argb[row * width + x] = argb;
    }
  }
  // Images without an alpha channel (or with an all-clear one) take their transparency from the mask.
  if (!any_alpha && !dib->mask_rows.empty()) {
    for (std::size_t row = 0; row < height; ++row) {
      const std::string_view line = dib->mask_rows.substr(dib->mask_stride * (height - 1 - row));
      for (std::size_t x = 0; x < width; ++x) {
        const bool clear = (Byte(line, x / 8) >> (7 - x % 8)) & 1;
        std::uint32_t& p = out.argb[row * width + x];
        p = clear ? 0 : (p | 0xFF000000u);
      }
    }
  } else if (!any_alpha) {
    for (std::uint32_t& p : out.argb) p |= 0xFF000000u;
  }
  return out;
}

}  // namespace velora::formats
