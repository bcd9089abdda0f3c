// Decoding every stored picture format at the size it is shown at, and drawing it.
#include "toolkit/image.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "toolkit/gdiplus.h"
#include "toolkit/image_cache.h"

namespace velora::toolkit {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kYellow = 0xFFFFFF00;

std::uint32_t Alpha(std::uint32_t argb) { return argb >> 24; }

// Channels within `tolerance` of each other, for the lossy encoders.
bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 8) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int x = static_cast<int>((a >> shift) & 0xFF);
    const int y = static_cast<int>((b >> shift) & 0xFF);
    if (x - y > tolerance || y - x > tolerance) return false;
  }
  return true;
}

std::string Encode(int width, int height, std::uint32_t argb, const wchar_t* mime) {
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&bitmap);
    g.Clear(Gdiplus::Color(argb));
  }
  UINT count = 0, bytes = 0;
  Gdiplus::GetImageEncodersSize(&count, &bytes);
  std::vector<std::byte> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, bytes, encoders);
  IStream* stream = SHCreateMemStream(nullptr, 0);
  std::string out;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring_view(encoders[i].MimeType) != mime) continue;
    if (bitmap.Save(stream, &encoders[i].Clsid, nullptr) != Gdiplus::Ok) break;
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    out.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(out.data(), static_cast<ULONG>(out.size()), &read);
    out.resize(read);
  }
  stream->Release();
  return out;
}

void Put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(s, static_cast<std::uint16_t>(v >> 16));
}

// A one-colour GIF made by hand (Wine's GIF encoder writes no pixels). Every pixel code follows a
// clear code, so the codes stay 3 bits wide and no compression is needed.
std::string Gif(int width, int height, std::uint32_t rgb) {
  std::string s = "GIF89a";
  Put16(s, static_cast<std::uint16_t>(width));
  Put16(s, static_cast<std::uint16_t>(height));
  s += '\x80';  // a global table of two colours
  s += '\0';
  s += '\0';
  s += static_cast<char>((rgb >> 16) & 0xFF);
  s += static_cast<char>((rgb >> 8) & 0xFF);
  s += static_cast<char>(rgb & 0xFF);
  s += std::string(3, '\0');
  s += ',';
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, static_cast<std::uint16_t>(width));
  Put16(s, static_cast<std::uint16_t>(height));
  s += '\0';
  s += '\x02';  // minimum code size
  std::string data;
  std::uint32_t bits = 0;
  int count = 0;
  auto code = [&](std::uint32_t c) {
    bits |= c << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  for (int i = 0; i < width * height; ++i) {
    code(4);  // clear
    code(0);  // colour 0
  }
  code(5);  // end
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    s += static_cast<char>(block.size());
    s += block;
  }
  s += '\0';
  s += ';';
  return s;
}

// An icon's DIB entry of one colour. 32 bits: alpha from `argb`, the top-left pixel clear.
// 24 bits: opaque colour, the mask clears the left half. 8 bits: a two-colour palette.
std::string DibEntry(int side, int bits, std::uint32_t argb) {
  std::string s;
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(side));
  Put32(s, static_cast<std::uint32_t>(side * 2));
  Put16(s, 1);
  Put16(s, static_cast<std::uint16_t>(bits));
  for (int i = 0; i < 4; ++i) Put32(s, 0);  // BI_RGB, image size, resolution
  Put32(s, bits == 8 ? 2 : 0);              // colours used
  Put32(s, 0);
  if (bits == 8) {
    Put32(s, 0);                  // index 0: black, unused
    Put32(s, argb & 0x00FFFFFF);  // index 1: the colour (BGRx as a little-endian 0RGB)
  }
  const int stride = (side * bits + 31) / 32 * 4;
  for (int row = 0; row < side; ++row) {  // bottom-up
    std::string line;
    for (int x = 0; x < side; ++x) {
      const bool top_left = row == side - 1 && x == 0;
      if (bits == 32) {
        Put32(line, top_left ? 0 : argb);
      } else if (bits == 24) {
        line += static_cast<char>(argb & 0xFF);
        line += static_cast<char>((argb >> 8) & 0xFF);
        line += static_cast<char>((argb >> 16) & 0xFF);
      } else {
        line += '\x01';
      }
    }
    line.resize(static_cast<std::size_t>(stride), '\0');
    s += line;
  }
  const int mask_stride = (side + 31) / 32 * 4;
  for (int row = 0; row < side; ++row) {
    std::string line(static_cast<std::size_t>(mask_stride), '\0');
    if (bits == 24) {
      for (int x = 0; x < side / 2; ++x)
        line[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    s += line;
  }
  return s;
}

struct IcoPart {
  int side;
  int bits;
  std::string data;
};

std::string Ico(const std::vector<IcoPart>& parts) {
  std::string s;
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, static_cast<std::uint16_t>(parts.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * parts.size());
  for (const IcoPart& p : parts) {
    s += static_cast<char>(p.side >= 256 ? 0 : p.side);
    s += static_cast<char>(p.side >= 256 ? 0 : p.side);
    s += '\0';
    s += '\0';
    Put16(s, 1);
    Put16(s, static_cast<std::uint16_t>(p.bits));
    Put32(s, static_cast<std::uint32_t>(p.data.size()));
    Put32(s, offset);
    offset += static_cast<std::uint32_t>(p.data.size());
  }
  for (const IcoPart& p : parts) s += p.data;
  return s;
}

TEST(DecodeImage, EveryGdiplusFormatAtTheRequestedSizeKeepingItsShape) {
  struct Case {
    std::string bytes;
    int tolerance;
    const char* name;
  };
  for (const Case& c :
       {Case{Encode(40, 20, kRed, L"image/png"), 0, "png"},
        Case{Encode(40, 20, kRed, L"image/bmp"), 0, "bmp"},
        Case{Encode(40, 20, kRed, L"image/jpeg"), 24, "jpeg"}, Case{Gif(40, 20, kRed), 0, "gif"}}) {
    SCOPED_TRACE(c.name);
    const std::string& bytes = c.bytes;
    ASSERT_FALSE(bytes.empty());
    const auto image = DecodeImage(bytes, {100, 100});
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (core::Size{100, 100}));
    // 40 × 20 becomes 100 × 50, centred: rows 25 to 74 hold the picture.
    EXPECT_TRUE(Near(image->Pixel(50, 50), kRed, c.tolerance)) << std::hex << image->Pixel(50, 50);
    EXPECT_TRUE(Near(image->Pixel(2, 30), kRed, c.tolerance)) << std::hex << image->Pixel(2, 30);
    EXPECT_EQ(Alpha(image->Pixel(50, 10)), 0u);
    EXPECT_EQ(Alpha(image->Pixel(50, 90)), 0u);

    const auto natural = DecodeImage(bytes, {0, 0});
    ASSERT_NE(natural, nullptr);
    EXPECT_EQ(natural->size(), (core::Size{40, 20}));
  }
}

TEST(DecodeImage, TransparencySurvivesScaling) {
  const auto image = DecodeImage(Encode(10, 10, 0x00000000, L"image/png"), {50, 50});
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(Alpha(image->Pixel(25, 25)), 0u);
}

TEST(DecodeImage, BytesThatAreNoPictureGiveNone) {
  const std::string png = Encode(8, 8, kRed, L"image/png");
  EXPECT_EQ(DecodeImage("", {50, 50}), nullptr);
  EXPECT_EQ(DecodeImage("not a picture at all, just some text", {50, 50}), nullptr);
  EXPECT_EQ(DecodeImage(png.substr(0, 30), {50, 50}), nullptr);
  EXPECT_EQ(DecodeImage(std::string("\xFF\xD8\xFF\xE0garbage", 11), {50, 50}), nullptr);
  EXPECT_EQ(DecodeImage(std::string("BM\x10\0\0\0", 6), {50, 50}), nullptr);
  // An icon directory that points past its end.
  std::string icon = Ico({{16, 32, DibEntry(16, 32, kRed)}});
  EXPECT_EQ(DecodeImage(icon.substr(0, icon.size() - 100), {16, 16}), nullptr);
  EXPECT_EQ(DecodeImage(icon.substr(0, 10), {16, 16}), nullptr);
}

TEST(DecodeImage, IconPicksTheSmallestEntryAtLeastAsLargeAsAsked) {
  const std::string icon = Ico({{16, 32, DibEntry(16, 32, kRed)},
                                {48, 32, Encode(48, 48, kBlue, L"image/png")},
                                {24, 24, DibEntry(24, 24, kGreen)},
                                {32, 8, DibEntry(32, 8, kYellow)}});
  struct Case {
    core::Size asked;
    std::uint32_t colour;
  };
  for (const Case& c : {Case{{16, 16}, kRed}, Case{{20, 20}, kGreen}, Case{{24, 24}, kGreen},
                        Case{{32, 32}, kYellow}, Case{{40, 40}, kBlue}, Case{{100, 100}, kBlue}}) {
    SCOPED_TRACE(c.asked.width);
    const auto image = DecodeImage(icon, c.asked);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), c.asked);
    EXPECT_TRUE(Near(image->Pixel(c.asked.width * 3 / 4, c.asked.height / 2), c.colour))
        << std::hex << image->Pixel(c.asked.width * 3 / 4, c.asked.height / 2);
  }
}

TEST(DecodeImage, IconTransparencyFromAlphaOrFromTheMask) {
  const std::string icon = Ico({{16, 32, DibEntry(16, 32, kRed)}, {24, 24, DibEntry(24, 24, kGreen)}});
  const auto alpha = DecodeImage(icon, {0, 0});  // no size asked: the largest, at its own size
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->size(), (core::Size{24, 24}));
  EXPECT_EQ(Alpha(alpha->Pixel(2, 12)), 0u);  // masked left half
  EXPECT_EQ(alpha->Pixel(20, 12), kGreen);

  const auto red = DecodeImage(icon, {16, 16});
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(Alpha(red->Pixel(0, 0)), 0u);  // the clear top-left pixel, rows stored bottom-up
  EXPECT_EQ(red->Pixel(0, 15), kRed);
}

TEST(ImageCache, DecodesEachPictureOnceForEachSize) {
  const std::string red = Encode(8, 8, kRed, L"image/png"), blue = Encode(8, 8, kBlue, L"image/png");
  ImageCache cache;
  const auto first = cache.Get(red, {20, 20});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(cache.Get(std::string(red), {20, 20}), first);  // the same bytes read again
  EXPECT_EQ(cache.decodes(), 1u);
  EXPECT_EQ(cache.Get(red, {40, 40})->size(), (core::Size{40, 40}));
  // An icon file rewritten with another picture is other bytes: decoded, not the old picture.
  const auto changed = cache.Get(blue, {20, 20});
  ASSERT_NE(changed, nullptr);
  EXPECT_TRUE(Near(changed->Pixel(10, 10), kBlue));
  // Bytes that are no picture are tried once.
  EXPECT_EQ(cache.Get("kein Bild", {20, 20}), nullptr);
  EXPECT_EQ(cache.Get("kein Bild", {20, 20}), nullptr);
  EXPECT_EQ(cache.decodes(), 4u);
}

TEST(ImageCache, DropsTheLeastRecentlyUsedPastItsBound) {
  const std::string red = Encode(8, 8, kRed, L"image/png"), blue = Encode(8, 8, kBlue, L"image/png"),
                    green = Encode(8, 8, kGreen, L"image/png");
  ImageCache cache(2);
  (void)cache.Get(red, {16, 16});
  (void)cache.Get(blue, {16, 16});
  (void)cache.Get(red, {16, 16});    // red is now the most recent
  (void)cache.Get(green, {16, 16});  // blue goes
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_EQ(cache.decodes(), 3u);
  (void)cache.Get(red, {16, 16});
  EXPECT_EQ(cache.decodes(), 3u);
  (void)cache.Get(blue, {16, 16});
  EXPECT_EQ(cache.decodes(), 4u);
  cache.SetCapacity(1);
  EXPECT_EQ(cache.size(), 1u);
  (void)cache.Get(blue, {16, 16});
  EXPECT_EQ(cache.decodes(), 4u);
}

TEST(DrawImage, ScalesIntoTheTargetRectangleOnly) {
  const auto image = DecodeImage(Encode(10, 10, kRed, L"image/png"), {0, 0});
  ASSERT_NE(image, nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -40, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(target, nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  RECT all{0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawImage(dc, *image, {5, 5, 25, 35});
  GdiFlush();
  auto pixel = [&](int x, int y) { return static_cast<const std::uint32_t*>(bits)[y * 40 + x] & 0xFFFFFF; };
  EXPECT_EQ(pixel(15, 20), 0xFF0000u);
  EXPECT_EQ(pixel(6, 33), 0xFF0000u);
  EXPECT_EQ(pixel(2, 2), 0xFFFFFFu);
  EXPECT_EQ(pixel(30, 20), 0xFFFFFFu);
  EXPECT_EQ(pixel(15, 37), 0xFFFFFFu);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
}

}  // namespace
}  // namespace velora::toolkit
