#include "test_pictures.h"

#include <objidl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <stdexcept>

namespace velora::desktop::testing {
namespace {

using Microsoft::WRL::ComPtr;

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) throw std::runtime_error(what);
}

void AppendLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// JPEG has no alpha: its pixels go in as 24-bit BGR, the others' as 32-bit BGRA.
std::string EncodePicture(REFGUID container, UINT width, UINT height, const Pixels& pixels) {
  const bool opaque = IsEqualGUID(container, GUID_ContainerFormatJpeg);
  const UINT channels = opaque ? 3 : 4;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
        "imaging factory");
  ComPtr<IStream> stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), "stream");
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(container, nullptr, &encoder), "encoder");
  Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "encoder init");
  ComPtr<IWICBitmapFrameEncode> frame;
  Check(encoder->CreateNewFrame(&frame, nullptr), "frame");
  Check(frame->Initialize(nullptr), "frame init");
  Check(frame->SetSize(width, height), "size");
  WICPixelFormatGUID format = opaque ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;
  Check(frame->SetPixelFormat(&format), "format");
  std::vector<BYTE> bytes(pixels.size() * channels);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    for (UINT b = 0; b < channels; ++b) bytes[i * channels + b] = static_cast<BYTE>(pixels[i] >> (8 * b));
  }
  Check(frame->WritePixels(height, width * channels, static_cast<UINT>(bytes.size()), bytes.data()),
        "pixels");
  Check(frame->Commit(), "frame commit");
  Check(encoder->Commit(), "commit");
  HGLOBAL memory = nullptr;
  Check(GetHGlobalFromStream(stream.Get(), &memory), "memory");
  STATSTG stat{};
  Check(stream->Stat(&stat, STATFLAG_NONAME), "stat");
  const void* data = GlobalLock(memory);
  std::string file(static_cast<const char*>(data), static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return file;
}

}  // namespace

std::string EncodePng(UINT width, UINT height, const Pixels& pixels) {
  return EncodePicture(GUID_ContainerFormatPng, width, height, pixels);
}

std::string EncodeJpeg(UINT width, UINT height, const Pixels& pixels) {
  return EncodePicture(GUID_ContainerFormatJpeg, width, height, pixels);
}

std::string IconFileOf(const std::vector<std::pair<UINT, std::string>>& sized_pngs) {
  std::string header;
  AppendLe(header, 0, 2);  // reserved
  AppendLe(header, 1, 2);  // icon
  AppendLe(header, static_cast<std::uint32_t>(sized_pngs.size()), 2);
  std::string images;
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sized_pngs.size());
  for (const auto& [side, png] : sized_pngs) {
    AppendLe(header, side >= 256 ? 0 : side, 1);
    AppendLe(header, side >= 256 ? 0 : side, 1);
    AppendLe(header, 0, 1);   // no palette
    AppendLe(header, 0, 1);   // reserved
    AppendLe(header, 1, 2);   // planes
    AppendLe(header, 32, 2);  // bits per pixel
    AppendLe(header, static_cast<std::uint32_t>(png.size()), 4);
    AppendLe(header, offset, 4);
    offset += static_cast<std::uint32_t>(png.size());
    images += png;
  }
  return header + images;
}

std::string AnimatedGif() {
  std::string gif = "GIF89a";
  gif += std::string("\x01\x00\x01\x00\x80\x00\x00", 7);  // 1×1, 2-colour global table
  gif += std::string("\xFF\x00\x00\x00\x00\xFF", 6);      // red, blue
  gif += std::string(
      "\x21\xFF\x0B"
      "NETSCAPE2.0\x03\x01\x00\x00\x00",
      19);                                                      // loop forever
  for (const char* lzw : {"\x44\x01", "\x4C\x01"}) {            // index 0, then index 1
    gif += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);  // 100 ms a frame
    gif += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    gif += std::string("\x02\x02", 2) + std::string(lzw, 2) + std::string("\x00", 1);
  }
  gif += ';';
  return gif;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

Pixels BitmapPixels(HBITMAP bitmap) {
  const SIZE size = BitmapSize(bitmap);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Pixels pixels(static_cast<std::size_t>(size.cx) * size.cy);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
  return pixels;
}

HBITMAP MakeBitmap(int width, int height, const Pixels& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace velora::desktop::testing
