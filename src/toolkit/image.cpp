#include "toolkit/image.h"

#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "formats/icon_file.h"
#include "formats/image_type.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {

constexpr int kLargestIconSide = 1024;  // a DIB entry above this is no real icon

struct ComRelease {
  void operator()(IUnknown* object) const noexcept {
    if (object) object->Release();
  }
};
using UniqueStream = std::unique_ptr<IStream, ComRelease>;

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
  UniqueStream stream(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  if (!stream) return nullptr;
  // GDI+ reads the stream lazily, so the copy is made while the stream lives.
  CheckGdiplusLive();
  Gdiplus::Bitmap source(stream.get());
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

// An icon's DIB entry: the colour rows (bottom-up, twice the height in the header) and then the
// 1-bit transparency mask.
std::unique_ptr<Gdiplus::Bitmap> DecodeIconDib(std::string_view data) {
  if (data.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER header{};
  std::memcpy(&header, data.data(), sizeof header);
  const int width = header.biWidth;
  const int height = header.biHeight / 2;
  const int bits = header.biBitCount;
  if (header.biSize < sizeof header || header.biCompression != BI_RGB || width <= 0 || height <= 0 ||
      width > kLargestIconSide || height > kLargestIconSide ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    return nullptr;
  }
  const std::size_t palette_size = bits <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << bits) : 0;
  if (palette_size > 256) return nullptr;
  const std::size_t palette_at = header.biSize;
  const std::size_t colour_at = palette_at + palette_size * 4;
  const std::size_t colour_stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t mask_at = colour_at + colour_stride * height;
  const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  if (mask_at > data.size()) return nullptr;
  const bool has_mask = mask_at + mask_stride * height <= data.size();
  auto byte = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(data[at]));
  };

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  bool any_alpha = false;
  for (int row = 0; row < height; ++row) {
    const std::size_t line = colour_at + colour_stride * (height - 1 - row);
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits == 32) {
        const std::size_t p = line + x * 4u;
        argb = byte(p + 3) << 24 | byte(p + 2) << 16 | byte(p + 1) << 8 | byte(p);
        any_alpha = any_alpha || (argb >> 24) != 0;
      } else if (bits == 24) {
        const std::size_t p = line + x * 3u;
        argb = 0xFF000000u | byte(p + 2) << 16 | byte(p + 1) << 8 | byte(p);
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const std::uint32_t index = (byte(line + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette_size) return nullptr;
        const std::size_t p = palette_at + index * 4;
        argb = 0xFF000000u | byte(p + 2) << 16 | byte(p + 1) << 8 | byte(p);
      }
      pixels[static_cast<std::size_t>(row) * width + x] = argb;
    }
  }
  // Icons without an alpha channel (or with an all-clear one, as old tools wrote) use the mask.
  if (!any_alpha && has_mask) {
    for (int row = 0; row < height; ++row) {
      const std::size_t line = mask_at + mask_stride * (height - 1 - row);
      for (int x = 0; x < width; ++x) {
        const bool clear = (byte(line + x / 8) >> (7 - x % 8)) & 1;
        std::uint32_t& p = pixels[static_cast<std::size_t>(row) * width + x];
        p = clear ? 0 : (p | 0xFF000000u);
      }
    }
  } else if (!any_alpha) {
    for (std::uint32_t& p : pixels) p |= 0xFF000000u;
  }

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
                pixels.data() + static_cast<std::size_t>(row) * width, static_cast<std::size_t>(width) * 4);
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
