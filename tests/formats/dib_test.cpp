// The bitmap images inside icon and cursor files: what is refused, and the pixels of what is not.
#include "formats/dib.h"

#include <gtest/gtest.h>

#include <string>

using namespace velora::formats;

namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

struct Header {
  std::int32_t width = 2;
  std::int32_t height = 4;  // colour and mask rows together
  std::uint16_t bits = 8;
  std::uint32_t colours_used = 2;
  std::uint32_t size = 40;
  std::uint32_t compression = 0;
};

std::string Dib(const Header& h, const std::string& rest) {
  std::string s;
  Put(s, h.size, 4);
  Put(s, static_cast<std::uint32_t>(h.width), 4);
  Put(s, static_cast<std::uint32_t>(h.height), 4);
  Put(s, 1, 2);
  Put(s, h.bits, 2);
  Put(s, h.compression, 4);
  for (int i = 0; i < 3; ++i) Put(s, 0, 4);  // image size, resolution
  Put(s, h.colours_used, 4);
  Put(s, 0, 4);
  return s + rest;
}

// Two palette colours (blue, then red), two rows of 4 bytes holding indices, two mask rows.
const std::string kPalette("\xFF\0\0\0\0\0\xFF\0", 8);
const std::string kColourRows("\1\0\0\0\0\1\0\0", 8);  // bottom row: red, blue; top row: blue, red
const std::string kMaskRows("\0\0\0\0\x40\0\0\0", 8);  // the top row's right pixel is clear

}  // namespace

TEST(IconDibPixels, ReadsPaletteRowsBottomUpAndTheMask) {
  const auto picture = IconDibPixels(Dib({}, kPalette + kColourRows + kMaskRows));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 2);
  EXPECT_EQ(picture->argb, (std::vector<std::uint32_t>{0xFF0000FF, 0, 0xFFFF0000, 0xFF0000FF}));

  // Without the mask every pixel is opaque.
  const auto unmasked = IconDibPixels(Dib({}, kPalette + kColourRows));
  ASSERT_TRUE(unmasked);
  EXPECT_EQ(unmasked->argb[1], 0xFFFF0000u);
  EXPECT_TRUE(ReadIconDib(Dib({}, kPalette + kColourRows))->mask_rows.empty());
}

TEST(ReadIconDib, RefusesWhatIsNoIconBitmapOrEndsBeforeItsRows) {
  const std::string rows = kPalette + kColourRows + kMaskRows;
  const struct {
    std::string bytes;
    const char* what;
  } refused[] = {
      {Dib({}, rows).substr(0, 39), "header cut short"},
      {Dib({}, kPalette + kColourRows.substr(1)), "colour rows cut short"},
      {Dib({.size = 39}, rows), "header smaller than its fields"},
      {Dib({.size = 0xFFFFFFF0}, rows), "header past the bytes"},
      {Dib({.compression = 1}, rows), "compressed"},
      {Dib({.width = 0}, rows), "no width"},
      {Dib({.width = -2}, rows), "negative width"},
      {Dib({.height = 1}, rows), "less than a row once halved"},
      {Dib({.width = 1025, .height = 2}, rows), "wider than any icon"},
      {Dib({.height = 2050}, rows), "taller than any icon"},
      {Dib({.bits = 16}, rows), "a depth icons do not use"},
      {Dib({.colours_used = 257}, rows), "palette past 256 colours"},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(ReadIconDib(r.bytes)) << r.what;
    EXPECT_FALSE(IconDibPixels(r.bytes)) << r.what;
  }
  // An index past a palette that names fewer colours than the depth holds.
  EXPECT_FALSE(IconDibPixels(Dib({.colours_used = 1}, kPalette.substr(0, 4) + kColourRows)));
}
