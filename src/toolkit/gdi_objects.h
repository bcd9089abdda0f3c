#pragma once
// Owners for GDI objects and the off-screen surface every custom control paints into.
#include <windows.h>

#include <memory>
#include <string_view>

namespace velora::toolkit {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept {
    if (object) DeleteObject(object);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// "微软雅黑" at `points` for a display of `dpi`.
UniqueFont MakeFont(int points, int dpi, bool bold = false);

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
