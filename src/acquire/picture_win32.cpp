#include "acquire/picture_win32.h"

#include <objidl.h>
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>

#include "acquire/thumbnail_size.h"
#include "core/com_apartment_win32.h"
#include "core/handles_win32.h"
#include "formats/image_type.h"

namespace velora::acquire {
namespace {

using Microsoft::WRL::ComPtr;

// A thumbnail holds at most this many pixels; a 1 × 10,000,000 picture would ask for 1 billion.
constexpr std::uint64_t kMaxThumbnailPixels = 16ull * 1024 * 1024;

// A decoded picture: the frame to show and the objects it reads from, which must outlive it.
struct Picture {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  core::Size size;
};

std::optional<Picture> Decode(std::string_view bytes) {
  if (!formats::IsImageBytes(bytes) || bytes.size() > MAXDWORD) return std::nullopt;
  Picture p;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&p.factory))) ||
      FAILED(p.factory->CreateStream(&p.stream)) ||
      FAILED(p.stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
      FAILED(p.factory->CreateDecoderFromStream(p.stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                &p.decoder))) {
    return std::nullopt;
  }
  // An icon file's largest image stands for it; other formats show their first frame.
  UINT count = 0;
  GUID container{};
  if (FAILED(p.decoder->GetFrameCount(&count)) || FAILED(p.decoder->GetContainerFormat(&container))) {
    return std::nullopt;
  }
  if (!IsEqualGUID(container, GUID_ContainerFormatIco)) count = count ? 1 : 0;
  for (UINT i = 0; i < count; ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(p.decoder->GetFrame(i, &frame)) || FAILED(frame->GetSize(&width, &height))) continue;
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) continue;
    const core::Size size{static_cast<int>(width), static_cast<int>(height)};
    if (!p.frame || std::int64_t{size.width} * size.height > std::int64_t{p.size.width} * p.size.height) {
      p.frame = frame;
      p.size = size;
    }
  }
  if (!p.frame) return std::nullopt;
  return p;
}

// The PNG file of `source`, in 32-bit BGRA so that transparency survives.
std::string EncodePng(IWICImagingFactory& factory, IWICBitmapSource& source) {
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  UINT width = 0, height = 0;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
      FAILED(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(source.GetSize(&width, &height)) || FAILED(frame->SetSize(width, height)) ||
      FAILED(frame->SetPixelFormat(&format)) || FAILED(frame->WriteSource(&source, nullptr)) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(stream.Get(), &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME))) {
    return {};
  }
  const core::GlobalLockScope lock(memory);
  if (!lock.data()) return {};
  return std::string(static_cast<const char*>(lock.data()), static_cast<std::size_t>(stat.cbSize.QuadPart));
}

std::string Thumbnail(const Picture& picture, core::Size size) {
  if (size.width < 1 || size.height < 1 ||
      static_cast<std::uint64_t>(size.width) * static_cast<std::uint64_t>(size.height) >
          kMaxThumbnailPixels) {
    return {};
  }
  ComPtr<IWICFormatConverter> converter;
  ComPtr<IWICBitmapScaler> scaler;
  if (FAILED(picture.factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(picture.frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
      FAILED(picture.factory->CreateBitmapScaler(&scaler)) ||
      FAILED(scaler->Initialize(converter.Get(), static_cast<UINT>(size.width),
                                static_cast<UINT>(size.height), WICBitmapInterpolationModeFant))) {
    return {};
  }
  return EncodePng(*picture.factory.Get(), *scaler.Get());
}

}  // namespace

std::optional<core::Size> PictureSize(std::string_view bytes) {
  const core::ComApartment com(COINIT_MULTITHREADED);
  const std::optional<Picture> picture = Decode(bytes);
  if (!picture) return std::nullopt;
  return picture->size;
}

std::string PictureThumbnail(std::string_view bytes, core::Size size) {
  const core::ComApartment com(COINIT_MULTITHREADED);
  const std::optional<Picture> picture = Decode(bytes);
  return picture ? Thumbnail(*picture, RequestedSize(picture->size, size)) : std::string();
}

std::string ItemThumbnail(std::string_view bytes) {
  const core::ComApartment com(COINIT_MULTITHREADED);
  const std::optional<Picture> picture = Decode(bytes);
  return picture ? Thumbnail(*picture, ThumbnailSize(picture->size)) : std::string();
}

}  // namespace velora::acquire
