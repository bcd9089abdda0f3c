#include "toolkit/gdi_objects.h"

#include <string>

namespace velora::toolkit {

UniqueFont MakeFont(int points, int dpi, bool bold) {
  return MakeFontOfHeight(MulDiv(points, dpi, 72), bold);
}

UniqueFont MakeFontOfHeight(int pixels, bool bold) {
  return UniqueFont(CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH, L"微软雅黑"));
}

SIZE MeasureText(std::wstring_view text, HFONT font, int max_width) {
  const WindowDc screen(nullptr);
  const Selection font_selection(screen.get(), font);
  RECT r{0, 0, max_width > 0 ? max_width : 100000, 0};
  const std::wstring copy(text);
  UINT flags = DT_CALCRECT | DT_NOPREFIX | (max_width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextW(screen.get(), copy.c_str(), static_cast<int>(copy.size()), &r, flags);
  return {r.right - r.left, r.bottom - r.top};
}

OffscreenSurface::OffscreenSurface(HDC target, int width, int height) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(target);
  bitmap_ = CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1);
  previous_ = SelectObject(dc_, bitmap_);
}

OffscreenSurface::~OffscreenSurface() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void OffscreenSurface::Blit(HDC target, int x, int y) const {
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace velora::toolkit
