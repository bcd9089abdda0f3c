#include "toolkit/image.h"

#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "core/handles_win32.h"
#include "formats/dib.h"
#include "formats/icon_file.h"
#include "formats/image_type.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {

// Draws `source` into a new ARGB bitmap of `size`, keeping its aspect ratio.
std::unique_ptr<Image> Fit(Gdiplus::Image& source, core::Size size) {
  const int source_width = static_cast<int>(source.GetWidth());
  const int source_height = static_cast<int>(source.GetHeight());
  if (source.GetLastStatus() != Gdiplus::Ok || source_width <= 0 || source_height <= 0) return nullptr;
  if (size.width <= 0 || size.height <= 0) size = {source_width, source_height};
  CheckGdiplusLive();
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(size.width, size.height, PixelFormat32bppARGB);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;

  const double scale = std::min(static_cast<double>(size.width) / source_width,
                                static_cast<double>(size.height) / source_height);
  const int width = std::max(1, static_cast<int>(std::lround(source_width * scale)));
  const int height = std::max(1, static_cast<int>(std::lround(source_height * scale)));
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  // Without it the edges blend with the transparent outside of the source.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const Gdiplus::Rect target((size.width - width) / 2, (size.height - height) / 2, width, height);
  if (g.DrawImage(&source, target, 0, 0, source_width, source_height, Gdiplus::UnitPixel, &attributes) !=
      Gdiplus::Ok) {
    return nullptr;
  }
  return std::make_unique<Image>(std::move(bitmap));
}

std::unique_ptr<Image> DecodeWithGdiplus(std::string_view bytes, core::Size size) {
  core::ComPtr<IStream> stream;
  // Created with its one reference, which the owner takes over.
  stream.Attach(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  if (!stream) return nullptr;
  // GDI+ reads the stream lazily, so the copy is made while the stream lives.
  CheckGdiplusLive();
  Gdiplus::Bitmap source(stream.Get());
  if (source.GetLastStatus() != Gdiplus::Ok) return nullptr;
  return Fit(source, size);
}

// The larger of an image's width and height, as the directory gives them.
int Side(const formats::IconFileImage& image) {
  return std::max(image.entry.PixelWidth(), image.entry.PixelHeight());
}

// The smallest image at least as large as asked, else the largest; deeper colour breaks ties.
const formats::IconFileImage& BestImage(const std::vector<formats::IconFileImage>& images, core::Size size) {
  const int wanted = std::max(size.width, size.height);
  const formats::IconFileImage* best = &images.front();
  for (const formats::IconFileImage& e : images) {
    const bool e_fits = wanted > 0 && Side(e) >= wanted;
    const bool best_fits = wanted > 0 && Side(*best) >= wanted;
    if (e_fits != best_fits) {
      if (e_fits) best = &e;
    } else if (Side(e) != Side(*best)) {
      if (e_fits ? Side(e) < Side(*best) : Side(e) > Side(*best)) best = &e;
    } else if (e.entry.bit_count > best->entry.bit_count) {
      best = &e;
    }
  }
  return *best;
}

// An icon image that is no PNG, as a GDI+ bitmap of its pixels.
std::unique_ptr<Gdiplus::Bitmap> DecodeIconDib(std::string_view data) {
  const std::optional<formats::IconPixels> picture = formats::IconDibPixels(data);
  if (!picture) return nullptr;
  const int width = picture->width;
  const int height = picture->height;
  CheckGdiplusLive();
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  Gdiplus::BitmapData locked{};
  const Gdiplus::Rect all(0, 0, width, height);
  if (bitmap->GetLastStatus() != Gdiplus::Ok ||
      bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &locked) != Gdiplus::Ok) {
    return nullptr;
  }
  for (int row = 0; row < height; ++row) {
    std::memcpy(static_cast<std::byte*>(locked.Scan0) + static_cast<std::ptrdiff_t>(row) * locked.Stride,
                picture->argb.data() + static_cast<std::size_t>(row) * width,
                static_cast<std::size_t>(width) * 4);
  }
  bitmap->UnlockBits(&locked);
  return bitmap;
}

std::unique_ptr<Image> DecodeIcon(std::string_view bytes, core::Size size) {
  // An image the directory places outside the file is passed over; the others still show.
  const auto images = formats::ParseIconFile(bytes, formats::BadImage::kLeaveOut);
  if (!images) return nullptr;
  const formats::IconFileImage& best = BestImage(*images, size);
  if (formats::ImageTypeOf(best.data) == formats::ImageType::kPng) return DecodeWithGdiplus(best.data, size);
  const auto source = DecodeIconDib(best.data);
  return source ? Fit(*source, size) : nullptr;
}

}  // namespace

Image::Image(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}

Image::~Image() = default;

core::Size Image::size() const {
  return {static_cast<int>(bitmap_->GetWidth()), static_cast<int>(bitmap_->GetHeight())};
}

std::uint32_t Image::Pixel(int x, int y) const {
  Gdiplus::Color colour;
  if (bitmap_->GetPixel(x, y, &colour) != Gdiplus::Ok) return 0;
  return colour.GetValue();
}

std::unique_ptr<Image> DecodeImage(std::string_view bytes, core::Size size) {
  // Only the formats the program stores: GDI+ would also run EMF or TIFF parsers on any bytes.
  switch (formats::ImageTypeOf(bytes)) {
    case formats::ImageType::kPng:
    case formats::ImageType::kJpeg:
    case formats::ImageType::kGif:
    case formats::ImageType::kBmp:
      return DecodeWithGdiplus(bytes, size);
    case formats::ImageType::kIcon:
      return DecodeIcon(bytes, size);
    case formats::ImageType::kNone:
      break;
  }
  return nullptr;
}

void DrawImage(HDC dc, const Image& image, RECT target) {
  const core::Size size = image.size();
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  g.DrawImage(&image.bitmap(),
              Gdiplus::Rect(target.left, target.top, target.right - target.left, target.bottom - target.top),
              0, 0, size.width, size.height, Gdiplus::UnitPixel, &attributes);
}

}  // namespace velora::toolkit
