// Decodes the headers of every built-in image: the grid, the tray and the pointer each rely on
// a format and set of sizes, and a broken rasterising step would otherwise show up only on screen.
#include "assets/images/builtin_images.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "formats/dib.h"
#include "formats/icon_file.h"

namespace velora::assets {
namespace {

enum class Format { kPng, kIco, kCur };

struct Frame {
  int width = 0;
  int height = 0;
  int bits = 0;
  bool operator==(const Frame&) const = default;
};

struct Decoded {
  Format format = Format::kPng;
  std::vector<Frame> frames;
  int hotspot_x = 0, hotspot_y = 0;  // first cursor frame
};

std::uint32_t Be32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

// Width, height and bits per pixel of a PNG; only 8-bit RGBA (colour type 6) counts as 32.
std::optional<Frame> PngFrame(std::string_view b) {
  if (b.size() < 33 || b.substr(0, 8) != kPngSignature || b.substr(12, 4) != "IHDR") return std::nullopt;
  const int bits = b[24] == 8 && b[25] == 6 ? 32 : 0;
  return Frame{static_cast<int>(Be32(b, 16)), static_cast<int>(Be32(b, 20)), bits};
}

// An image inside an icon or cursor file: a PNG or a bitmap that the program's decoder reads.
std::optional<Frame> ImageFrame(std::string_view image) {
  if (const auto png = PngFrame(image)) return png;
  const auto dib = formats::ReadIconDib(image);
  if (!dib) return std::nullopt;
  return Frame{dib->width, dib->height, dib->bit_count};
}

int Side(std::uint8_t stored) { return stored ? stored : 256; }

// Every directory entry must agree with the image it points at, as the program reads both.
std::optional<Decoded> DecodeIcon(std::string_view b) {
  Decoded out;
  if (const auto icon = formats::ParseIconFile(b)) {
    out.format = Format::kIco;
    for (const formats::IconFileImage& image : *icon) {
      const auto frame = ImageFrame(image.data);
      if (!frame || frame->width != image.entry.PixelWidth() || frame->height != image.entry.PixelHeight() ||
          frame->bits != image.entry.bit_count) {
        return std::nullopt;
      }
      out.frames.push_back(*frame);
    }
    return out;
  }
  const auto cursor = formats::ParseCursorFile(b);
  if (!cursor) return std::nullopt;
  out.format = Format::kCur;
  for (const formats::CursorImage& image : *cursor) {
    const auto frame = ImageFrame(image.data);
    if (!frame || frame->width != Side(image.width) || frame->height != Side(image.height))
      return std::nullopt;
    out.frames.push_back(*frame);
  }
  out.hotspot_x = cursor->front().hotspot_x;
  out.hotspot_y = cursor->front().hotspot_y;
  return out;
}

std::optional<Decoded> Decode(std::string_view b) {
  if (const auto png = PngFrame(b)) return Decoded{Format::kPng, {*png}};
  return DecodeIcon(b);
}

std::vector<Frame> Sizes(std::initializer_list<int> sizes) {
  std::vector<Frame> frames;
  for (const int s : sizes) frames.push_back({s, s, 32});
  return frames;
}

struct Expected {
  BuiltinImage image;
  const char* name;
  Format format;
  std::vector<Frame> frames;
};

const std::vector<Frame> kEightSizes = Sizes({16, 24, 32, 48, 64, 96, 128, 256});

class BuiltinImageTest : public ::testing::TestWithParam<Expected> {};

TEST_P(BuiltinImageTest, HasTheFormatAndSizesItIsUsedAt) {
  const Expected& expected = GetParam();
  const std::optional<Decoded> decoded = Decode(ImageBytesOf(expected.image));
  ASSERT_TRUE(decoded) << expected.name << " does not decode";
  EXPECT_EQ(decoded->format, expected.format) << expected.name;
  EXPECT_EQ(decoded->frames, expected.frames) << expected.name;
}

INSTANTIATE_TEST_SUITE_P(
    AllImages, BuiltinImageTest,
    ::testing::Values(
        Expected{BuiltinImage::kFolder, "folder", Format::kPng, Sizes({128})},
        Expected{BuiltinImage::kTextFile, "text_file", Format::kPng, Sizes({256})},
        Expected{BuiltinImage::kBookmark, "bookmark", Format::kPng, Sizes({128})},
        Expected{BuiltinImage::kThisPc, "this_pc", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kDesktop, "desktop", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kControlPanel, "control_panel", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kRecycleBin, "recycle_bin", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kVideo, "video", Format::kPng, Sizes({256})},
        Expected{BuiltinImage::kAudio, "audio", Format::kPng, Sizes({256})},
        Expected{BuiltinImage::kMacro, "macro", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kFunction, "function", Format::kIco, Sizes({16, 24, 32, 48, 64, 256})},
        Expected{BuiltinImage::kTextSnippet, "text_snippet", Format::kIco, Sizes({16, 32, 48, 64, 256})},
        Expected{BuiltinImage::kGenericFile, "generic_file", Format::kIco, kEightSizes},
        Expected{BuiltinImage::kDefaultItem, "default_item", Format::kPng, Sizes({128})},
        Expected{BuiltinImage::kProgramIcon, "program", Format::kIco, Sizes({128})},
        Expected{BuiltinImage::kPressPointer, "press_pointer", Format::kCur, Sizes({32})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuiltinImages, TheTableCoversEveryImageOnce) {
  std::vector<std::string_view> all;
  for (std::size_t i = 0; i < kBuiltinImageCount; ++i)
    all.push_back(ImageBytesOf(static_cast<BuiltinImage>(i)));
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) EXPECT_NE(all[i], all[j]) << i << " and " << j;
  }
  EXPECT_TRUE(ImageBytesOf(static_cast<BuiltinImage>(kBuiltinImageCount)).empty());
}

TEST(BuiltinImages, ThePressPointerHotspotIsItsMiddle) {
  const auto decoded = Decode(ImageBytesOf(BuiltinImage::kPressPointer));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->hotspot_x, 16);
  EXPECT_EQ(decoded->hotspot_y, 16);
}

// The tray builds its icon from the first image of the program icon as a resource: that needs
// a bitmap, not a PNG, inside the file.
TEST(BuiltinImages, TheProgramIconHoldsABitmap) {
  const auto images = formats::ParseIconFile(ImageBytesOf(BuiltinImage::kProgramIcon));
  ASSERT_TRUE(images);
  EXPECT_TRUE(formats::ReadIconDib(images->front().data));
}

}  // namespace
}  // namespace velora::assets
