#pragma once
// GDI+ for antialiased shapes and image decoding; one session for the process.
#include <windows.h>
// GDI+ headers need min/max and the COM IStream declarations.
#include <algorithm>
#include <cstdint>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <objidl.h>
#include <gdiplus.h>

namespace velora::toolkit {

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

// ARGB as the settings hold it, into a GDI+ colour.
inline Gdiplus::Color ToColor(std::uint32_t argb) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(argb)); }

inline COLORREF ToColorRef(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace velora::toolkit
