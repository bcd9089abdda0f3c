// Decodes the headers of every built-in image: the grid, the tray and the pointer each rely on
// a format and set of sizes, and a broken rasterising step would otherwise show up only on screen.
#include "assets/images/builtin_images.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

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

std::uint32_t Le(std::string_view b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

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

// Every directory entry must agree with the image it points at: a PNG of that size, or a
// bitmap header whose height covers the colour and mask halves.
std::optional<Decoded> DecodeIcon(std::string_view b) {
  if (b.size() < 6 || Le(b, 0, 2) != 0) return std::nullopt;
  const std::uint32_t type = Le(b, 2, 2);
  if (type != 1 && type != 2) return std::nullopt;
  Decoded out;
  out.format = type == 1 ? Format::kIco : Format::kCur;
  const std::size_t count = Le(b, 4, 2);
  if (b.size() < 6 + 16 * count) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * i;
    const int w = b[e] == 0 ? 256 : static_cast<unsigned char>(b[e]);
    const int h = b[e + 1] == 0 ? 256 : static_cast<unsigned char>(b[e + 1]);
    const std::uint32_t size = Le(b, e + 8, 4), offset = Le(b, e + 12, 4);
    if (offset > b.size() || size > b.size() - offset) return std::nullopt;
    const std::string_view image = b.substr(offset, size);
    Frame frame;
    if (const auto png = PngFrame(image)) {
      frame = *png;
    } else {
      if (image.size() < 40 || Le(image, 0, 4) != 40) return std::nullopt;
      frame = {static_cast<int>(Le(image, 4, 4)), static_cast<int>(Le(image, 8, 4)) / 2,
               static_cast<int>(Le(image, 14, 2))};
    }
    if (frame.width != w || frame.height != h) return std::nullopt;
    if (type == 1 && Le(b, e + 6, 2) != static_cast<std::uint32_t>(frame.bits)) return std::nullopt;
    if (type == 2 && i == 0) {
      out.hotspot_x = static_cast<int>(Le(b, e + 4, 2));
      out.hotspot_y = static_cast<int>(Le(b, e + 6, 2));
    }
    out.frames.push_back(frame);
  }
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
  const std::string_view b = ImageBytesOf(BuiltinImage::kProgramIcon);
  ASSERT_GE(b.size(), 22u);
  const std::uint32_t offset = Le(b, 18, 4);
  ASSERT_LT(offset + 4, b.size());
  EXPECT_EQ(Le(b, offset, 4), 40u);
}

}  // namespace
}  // namespace velora::assets
