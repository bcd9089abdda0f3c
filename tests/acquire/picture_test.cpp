#include "acquire/picture_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/com_apartment_win32.h"
#include "desktop/picture_decode_win32.h"
#include "desktop/test_pictures.h"

using namespace velora;
using desktop::testing::EncodePng;
using desktop::testing::Pixels;

namespace {

// A picture whose left half is red and right half blue, so that a thumbnail's content can be
// told from a blank one.
Pixels Halves(UINT width, UINT height) {
  Pixels pixels(static_cast<std::size_t>(width) * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) pixels[y * width + x] = x < width / 2 ? 0xFFFF0000u : 0xFF0000FFu;
  }
  return pixels;
}

core::Size SizeOf(const std::string& bytes) { return acquire::PictureSize(bytes).value_or(core::Size{}); }

}  // namespace

TEST(PictureThumbnail, IsAHundredWidePngScaledFromAPng) {
  const std::string png = EncodePng(200, 100, Halves(200, 100));
  EXPECT_EQ(SizeOf(png), (core::Size{200, 100}));
  const std::string thumbnail = acquire::ItemThumbnail(png);
  ASSERT_TRUE(thumbnail.starts_with("\x89PNG\r\n\x1a\n"));
  EXPECT_EQ(SizeOf(thumbnail), (core::Size{100, 50}));
  // A wide picture keeps its own height rather than none.
  EXPECT_EQ(SizeOf(acquire::ItemThumbnail(EncodePng(1000, 5, Halves(1000, 5)))), (core::Size{100, 5}));
}

TEST(PictureThumbnail, ScalesAJpegAndKeepsItsContent) {
  const std::string jpeg = desktop::testing::EncodeJpeg(400, 300, Halves(400, 300));
  ASSERT_TRUE(jpeg.starts_with("\xFF\xD8\xFF")) << "the imaging component encodes JPEG";
  EXPECT_EQ(SizeOf(jpeg), (core::Size{400, 300}));
  const std::string thumbnail = acquire::ItemThumbnail(jpeg);
  EXPECT_EQ(SizeOf(thumbnail), (core::Size{100, 75}));

  // Read back through the clipboard's decoder: red on the left, blue on the right.
  const core::UniqueBitmap bitmap = desktop::DecodePictureBitmap(thumbnail);
  ASSERT_TRUE(bitmap);
  const Pixels pixels = desktop::testing::BitmapPixels(bitmap.get());
  const auto close_to = [](std::uint32_t rgb, std::uint32_t want) {
    for (int shift : {0, 8, 16}) {
      const int a = static_cast<int>((rgb >> shift) & 0xFF), b = static_cast<int>((want >> shift) & 0xFF);
      if (a - b > 40 || b - a > 40) return false;
    }
    return true;
  };
  EXPECT_TRUE(close_to(pixels[37 * 100 + 10], 0xFF0000)) << std::hex << pixels[37 * 100 + 10];
  EXPECT_TRUE(close_to(pixels[37 * 100 + 90], 0x0000FF)) << std::hex << pixels[37 * 100 + 90];
}

TEST(PictureThumbnail, TakesAnySizeAndThePicturesOwnForASideBelowOne) {
  const std::string png = EncodePng(64, 48, Halves(64, 48));
  EXPECT_EQ(SizeOf(acquire::PictureThumbnail(png, {32, 10})), (core::Size{32, 10}));
  EXPECT_EQ(SizeOf(acquire::PictureThumbnail(png, {0, 10})), (core::Size{64, 10}));
  EXPECT_EQ(SizeOf(acquire::PictureThumbnail(png, {})), (core::Size{64, 48}));
}

TEST(PictureThumbnail, GivesNothingForWhatIsNoPictureOrTooLargeToHold) {
  EXPECT_FALSE(acquire::PictureSize("<html>no picture</html>"));
  EXPECT_EQ(acquire::ItemThumbnail("<html>no picture</html>"), "");
  const std::string png = EncodePng(8, 8, Halves(8, 8));
  EXPECT_EQ(acquire::ItemThumbnail(png.substr(0, 20)), "") << "cut short";
  EXPECT_EQ(acquire::PictureThumbnail(png, {100000, 100000}), "");
}

TEST(PictureThumbnail, WorksOnAThreadWithoutComAndOneWithAnApartment) {
  const std::string png = EncodePng(200, 100, Halves(200, 100));
  std::string from_worker;
  std::thread([&] { from_worker = acquire::ItemThumbnail(png); }).join();
  EXPECT_EQ(SizeOf(from_worker), (core::Size{100, 50}));
  std::thread([&] {
    const core::ComApartment com(COINIT_APARTMENTTHREADED);
    from_worker = acquire::ItemThumbnail(png);
  }).join();
  EXPECT_EQ(SizeOf(from_worker), (core::Size{100, 50}));
}
