#include "flipit/clock_view_win32.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "text/utf.h"
#include "toolkit/gdiplus.h"

namespace velora::flipit {
namespace {

using toolkit::OffscreenSurface;
using toolkit::Selection;
using toolkit::WindowDc;

constexpr COLORREF kBackground = RGB(8, 8, 10);
constexpr Gdiplus::ARGB kUpperLight = 0xFF3A3A40;
constexpr Gdiplus::ARGB kUpperDark = 0xFF303035;
constexpr Gdiplus::ARGB kLowerLight = 0xFF2A2A2F;
constexpr Gdiplus::ARGB kLowerDark = 0xFF222226;
constexpr COLORREF kDigits = RGB(236, 236, 238);
constexpr COLORREF kCaption = RGB(138, 138, 146);

RECT ToRect(const core::Rect& r) { return {r.left, r.top, r.right(), r.bottom()}; }

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  const toolkit::UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.get());
}

// The card without its digits: a rounded block, its upper half a little lighter than its lower.
void PaintCardBody(HDC dc, int width, int height, int radius) {
  toolkit::CheckGdiplusLive();
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const auto w = static_cast<Gdiplus::REAL>(width);
  const auto h = static_cast<Gdiplus::REAL>(height);
  Gdiplus::GraphicsPath body;
  if (radius >= 1) {
    const auto d = static_cast<Gdiplus::REAL>(2 * radius);
    body.AddArc(0.0f, 0.0f, d, d, 180.0f, 90.0f);
    body.AddArc(w - d, 0.0f, d, d, 270.0f, 90.0f);
    body.AddArc(w - d, h - d, d, d, 0.0f, 90.0f);
    body.AddArc(0.0f, h - d, d, d, 90.0f, 90.0f);
    body.CloseFigure();
  } else {
    body.AddRectangle(Gdiplus::RectF(0.0f, 0.0f, w, h));
  }
  const Gdiplus::REAL hinge = h / 2;
  const Gdiplus::LinearGradientBrush upper(Gdiplus::PointF(0.0f, 0.0f), Gdiplus::PointF(0.0f, hinge),
                                           Gdiplus::Color(kUpperLight), Gdiplus::Color(kUpperDark));
  const Gdiplus::LinearGradientBrush lower(Gdiplus::PointF(0.0f, hinge), Gdiplus::PointF(0.0f, h),
                                           Gdiplus::Color(kLowerLight), Gdiplus::Color(kLowerDark));
  graphics.SetClip(Gdiplus::RectF(0.0f, 0.0f, w, hinge));
  graphics.FillPath(&upper, &body);
  graphics.SetClip(Gdiplus::RectF(0.0f, hinge, w, h - hinge));
  graphics.FillPath(&lower, &body);
}

// Centres the ink of `digits`, not their line box, so the split runs through their middle
// whatever the font's ascent and descent.
void PaintDigits(HDC dc, HFONT font, const std::wstring& digits, int width, int height) {
  const Selection selection(dc, font);
  constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  int pen = 0;
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const wchar_t c : digits) {
    GLYPHMETRICS metrics{};
    if (GetGlyphOutlineW(dc, c, GGO_METRICS, &metrics, 0, nullptr, &kIdentity) == GDI_ERROR) continue;
    const int ink_left = pen + static_cast<int>(metrics.gmptGlyphOrigin.x);
    left = std::min(left, ink_left);
    right = std::max(right, ink_left + static_cast<int>(metrics.gmBlackBoxX));
    top = std::min(top, -static_cast<int>(metrics.gmptGlyphOrigin.y));
    bottom = std::max(bottom,
                      -static_cast<int>(metrics.gmptGlyphOrigin.y) + static_cast<int>(metrics.gmBlackBoxY));
    pen += metrics.gmCellIncX;
  }
  if (left > right) {  // no glyph metrics: centre the line box instead
    TEXTMETRICW text_metrics{};
    GetTextMetricsW(dc, &text_metrics);
    SIZE extent{};
    GetTextExtentPoint32W(dc, digits.c_str(), static_cast<int>(digits.size()), &extent);
    left = 0;
    right = extent.cx;
    top = -text_metrics.tmAscent;
    bottom = text_metrics.tmDescent;
  }
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kDigits);
  const int x = (width - (right - left)) / 2 - left;
  const int baseline = (height - (bottom - top)) / 2 - top;
  TextOutW(dc, x, baseline, digits.c_str(), static_cast<int>(digits.size()));
}

// A half card turned away from the light.
void Shade(HDC dc, const RECT& area, double shade) {
  const auto alpha = static_cast<BYTE>(std::clamp(shade, 0.0, 1.0) * 255);
  if (alpha == 0 || area.bottom <= area.top) return;
  toolkit::CheckGdiplusLive();
  Gdiplus::Graphics graphics(dc);
  const Gdiplus::SolidBrush brush(Gdiplus::Color(alpha, 0, 0, 0));
  graphics.FillRectangle(&brush, static_cast<INT>(area.left), static_cast<INT>(area.top),
                         static_cast<INT>(area.right - area.left), static_cast<INT>(area.bottom - area.top));
}

}  // namespace

void ClockView::Resize(HWND window, core::Size size, int dpi) {
  window_ = window;
  size_ = size;
  layout_ = LayOutClock({0, 0, size.width, size.height}, dpi);
  faces_.clear();
  drawn_cards_ = {};
  drawn_caption_.reset();
  digits_font_ = toolkit::MakeFontOfHeight(std::max(1, layout_.digit_height), true);
  caption_font_ = toolkit::MakeFontOfHeight(std::max(1, layout_.caption_height));
  const WindowDc screen(window);
  back_ = std::make_unique<OffscreenSurface>(screen.get(), size.width, size.height);
  DrawBackground();
  InvalidateRect(window, nullptr, FALSE);
}

void ClockView::Update(HWND window, const std::array<FlipFrame, 2>& cards, const std::string& caption) {
  if (!back_) return;
  if (drawn_caption_ != caption) {
    DrawCaption(caption);
    drawn_caption_ = caption;
    const RECT area = ToRect(layout_.caption);
    InvalidateRect(window, &area, FALSE);
  }
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (drawn_cards_[i] == cards[i]) continue;
    DrawCard(layout_.cards[i], cards[i]);
    drawn_cards_[i] = cards[i];
    const RECT area = ToRect(layout_.cards[i]);
    InvalidateRect(window, &area, FALSE);
  }
  ForgetUnusedFaces(cards);
}

void ClockView::Paint(HDC dc, const RECT& area) const {
  if (back_) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, back_->dc(), area.left,
           area.top, SRCCOPY);
  } else {
    Fill(dc, area, kBackground);
  }
}

void ClockView::DrawBackground() { Fill(back_->dc(), {0, 0, size_.width, size_.height}, kBackground); }

void ClockView::DrawCaption(const std::string& caption) {
  if (layout_.caption.width <= 0) return;
  HDC dc = back_->dc();
  RECT area = ToRect(layout_.caption);
  Fill(dc, area, kBackground);
  const Selection selection(dc, caption_font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kCaption);
  SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  const std::wstring wide = text::Widen(caption);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void ClockView::DrawCard(const core::Rect& card, const FlipFrame& frame) {
  if (card.width <= 0 || card.height <= 0) return;
  HDC dc = back_->dc();
  const int half = card.height / 2;
  const int hinge = card.top + half;
  BitBlt(dc, card.left, card.top, card.width, half, Face(frame.top).dc(), 0, 0, SRCCOPY);
  BitBlt(dc, card.left, hinge, card.width, card.height - half, Face(frame.bottom).dc(), 0, half, SRCCOPY);
  if (frame.flap) {
    const Flap& flap = *frame.flap;
    const int source_top = flap.upper ? 0 : half;
    const int source_height = flap.upper ? half : card.height - half;
    const int extent = static_cast<int>(std::lround(flap.extent * source_height));
    if (extent > 0) {
      const RECT area{card.left, flap.upper ? hinge - extent : hinge, card.right(),
                      flap.upper ? hinge : hinge + extent};
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, area.left, area.top, card.width, extent, Face(flap.value).dc(), 0, source_top,
                 card.width, source_height, SRCCOPY);
      Shade(dc, area, flap.shade);
    }
  }
  const int split_top = hinge - layout_.split / 2;
  Fill(dc, {card.left, split_top, card.right(), split_top + layout_.split}, kBackground);
}

const OffscreenSurface& ClockView::Face(const std::string& value) {
  std::unique_ptr<OffscreenSurface>& face = faces_[value];
  if (face) return *face;
  const core::Rect& card = layout_.cards[0];
  const WindowDc screen(window_);
  face = std::make_unique<OffscreenSurface>(screen.get(), card.width, card.height);
  Fill(face->dc(), {0, 0, card.width, card.height}, kBackground);
  PaintCardBody(face->dc(), card.width, card.height, layout_.corner_radius);
  PaintDigits(face->dc(), digits_font_.get(), text::Widen(value), card.width, card.height);
  return *face;
}

void ClockView::ForgetUnusedFaces(const std::array<FlipFrame, 2>& cards) {
  std::erase_if(faces_, [&](const auto& entry) {
    return std::none_of(cards.begin(), cards.end(), [&](const FlipFrame& frame) {
      return frame.top == entry.first || frame.bottom == entry.first ||
             (frame.flap && frame.flap->value == entry.first);
    });
  });
}

}  // namespace velora::flipit
