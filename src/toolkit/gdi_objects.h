#pragma once
// Owners for GDI objects and the off-screen surface every custom control paints into.
#include <windows.h>

#include <memory>
#include <string_view>

#include "core/handles_win32.h"

namespace velora::toolkit {

using core::GdiObjectDeleter;
using core::Selection;
using core::UniqueBitmap;
using core::UniqueBrush;
using core::UniqueFont;
using core::WindowDc;

// "微软雅黑" at `points` for a display of `dpi`.
UniqueFont MakeFont(int points, int dpi, bool bold = false);
// "微软雅黑" with an em height of `pixels`.
UniqueFont MakeFontOfHeight(int pixels, bool bold = false);

// Width and height in device pixels of `text` in `font`, wrapped at `max_width` when above 0.
SIZE MeasureText(std::wstring_view text, HFONT font, int max_width = 0);

// A memory DC with a bitmap of the given size; Blit copies it to a real DC. Painting into it and
// copying once keeps controls from flickering.
class OffscreenSurface {
 public:
  OffscreenSurface(HDC target, int width, int height);
  ~OffscreenSurface();
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  HDC dc() const { return dc_; }
  void Blit(HDC target, int x, int y) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int width_;
  int height_;
};

}  // namespace velora::toolkit
