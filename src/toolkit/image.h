#pragma once
// Pictures decoded from bytes (PNG, JPEG, GIF, ICO, BMP) at the size they are shown at, and drawn
// with high-quality scaling. Needs a live GdiplusSession.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/geometry.h"

namespace Gdiplus {
class Bitmap;
}

namespace velora::toolkit {

// A decoded picture in 32-bit ARGB; owns its GDI+ bitmap.
class Image {
 public:
  explicit Image(std::unique_ptr<Gdiplus::Bitmap> bitmap);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  core::Size size() const;
  Gdiplus::Bitmap& bitmap() const { return *bitmap_; }
  // The pixel at (x, y) as ARGB; 0 outside the picture.
  std::uint32_t Pixel(int x, int y) const;

 private:
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// Decodes `bytes` into a picture of exactly `size` device pixels; the content keeps its aspect
// ratio and is centred on a transparent margin. A size with a zero side keeps the picture's own
// size. Empty when the bytes are no picture this program reads.
[[nodiscard]] std::unique_ptr<Image> DecodeImage(std::string_view bytes, core::Size size);

// Draws `image` scaled into `target` of `dc`, blending its transparency.
void DrawImage(HDC dc, const Image& image, RECT target);

}  // namespace velora::toolkit
