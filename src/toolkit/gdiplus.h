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
// After objidl.h, whose IStream it uses.
#include <gdiplus.h>

#include <atomic>
#include <cstdlib>

namespace velora::toolkit {

// Windows refuses every GDI+ call made before GdiplusStartup (Wine draws anyway): the program
// starts one session before its first window and ends it after its last.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    if (ok_) ++live_sessions_;
  }
  ~GdiplusSession() {
    if (!ok_) return;
    --live_sessions_;
    Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

  // GDI+'s own start-up state is process-wide; this count only mirrors it for the checks below.
  static bool AnyLive() noexcept { return live_sessions_.load() > 0; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
  static inline std::atomic<int> live_sessions_{0};
};

// Every GDI+ path starts with this. With the debug checks on (the test builds), a path reached
// without a live session stops the program at once, as Wine would never show the fault.
inline void CheckGdiplusLive() noexcept {
#if VELORA_DEBUG_CHECKS
  if (!GdiplusSession::AnyLive()) {
    OutputDebugStringA("Velora: GDI+ used without a live GdiplusSession\n");
    std::abort();
  }
#endif
}

// ARGB as the settings hold it, into a GDI+ colour.
inline Gdiplus::Color ToColor(std::uint32_t argb) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(argb)); }

inline COLORREF ToColorRef(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// One of the system's colours (COLOR_WINDOW, …) as opaque ARGB: what the controls draw with
// while the system's high-contrast mode is on, in place of the skin.
inline std::uint32_t SystemColour(int index) {
  const COLORREF c = GetSysColor(index);
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

// Whether the user turned on the system's high-contrast mode.
inline bool SystemHighContrast() {
  HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace velora::toolkit
