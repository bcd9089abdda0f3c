#include "desktop/picture_decode_win32.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/com_apartment_win32.h"

namespace velora::desktop {
namespace {

using Microsoft::WRL::ComPtr;

// A picture past these is a fault or an attack rather than something to paste.
constexpr UINT kMaxSide = 32768;
constexpr std::uint64_t kMaxPixels = 128ull * 1024 * 1024;

// An icon file holds one image per size; the largest shows best once pasted.
ComPtr<IWICBitmapFrameDecode> PickFrame(IWICBitmapDecoder& decoder) {
  UINT count = 0;
  if (FAILED(decoder.GetFrameCount(&count)) || count == 0) return nullptr;
  GUID container{};
  decoder.GetContainerFormat(&container);
  ComPtr<IWICBitmapFrameDecode> best;
  std::uint64_t best_area = 0;
  const UINT candidates = IsEqualGUID(container, GUID_ContainerFormatIco) ? count : 1;
  for (UINT i = 0; i < candidates; ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder.GetFrame(i, &frame)) || FAILED(frame->GetSize(&width, &height))) continue;
    const std::uint64_t area = static_cast<std::uint64_t>(width) * height;
    if (!best || area > best_area) {
      best = frame;
      best_area = area;
    }
  }
  return best;
}

}  // namespace

core::UniqueBitmap DecodePictureBitmap(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > MAXDWORD) return nullptr;
  const core::ComApartment com;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(
          CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
    return nullptr;
  }
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder))) {
    return nullptr;
  }
  const ComPtr<IWICBitmapFrameDecode> frame = PickFrame(*decoder.Get());
  ComPtr<IWICFormatConverter> converter;
  if (!frame || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide ||
      height > kMaxSide || static_cast<std::uint64_t>(width) * height > kMaxPixels) {
    return nullptr;
  }
  const UINT stride = width * 4;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()))) {
    return nullptr;
  }
  // Premultiplied colour over white: each channel gains what the alpha leaves uncovered.
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    const int uncovered = 255 - pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c)
      pixels[i + c] = static_cast<std::uint8_t>(std::min(255, pixels[i + c] + uncovered));
    pixels[i + 3] = 255;
  }

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top row first, as the decoder wrote it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const core::WindowDc screen(nullptr);
  return core::UniqueBitmap(
      CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS));
}

}  // namespace velora::desktop
