#include "toolkit/glyphs.h"

#include "toolkit/gdiplus.h"

namespace velora::toolkit::glyphs {
namespace {

// Glyphs are designed on a 24 × 24 grid with a 1.8 unit stroke.
struct Canvas {
  Canvas(HDC dc, int size, std::uint32_t colour)
      : g((CheckGdiplusLive(), dc)), pen(ToColor(colour), 1.8f * size / 24.0f), brush(ToColor(colour)) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.ScaleTransform(size / 24.0f, size / 24.0f);
    pen.SetWidth(1.8f);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    pen.SetLineJoin(Gdiplus::LineJoinRound);
  }
  void Line(float x1, float y1, float x2, float y2) { g.DrawLine(&pen, x1, y1, x2, y2); }
  void Circle(float cx, float cy, float r) { g.DrawEllipse(&pen, cx - r, cy - r, 2 * r, 2 * r); }
  void Dot(float cx, float cy, float r) { g.FillEllipse(&brush, cx - r, cy - r, 2 * r, 2 * r); }

  Gdiplus::Graphics g;
  Gdiplus::Pen pen;
  Gdiplus::SolidBrush brush;
};

void Lines(Canvas& c) {
  c.Line(4, 6, 14, 6);
  c.Line(4, 12, 14, 12);
  c.Line(4, 18, 14, 18);
}

}  // namespace

void Recent(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  c.Circle(12, 12, 8.5f);
  c.Line(12, 7, 12, 12);
  c.Line(12, 12, 15.5f, 14);
}

void AddBookmark(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  c.Circle(12, 12, 8.5f);
  c.Line(12, 8, 12, 16);
  c.Line(8, 12, 16, 12);
}

void Clear(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  c.Line(4.5f, 6.5f, 19.5f, 6.5f);
  c.Line(9.5f, 6.5f, 10, 4);
  c.Line(10, 4, 14, 4);
  c.Line(14, 4, 14.5f, 6.5f);
  Gdiplus::PointF body[] = {{6.5f, 6.5f}, {7.5f, 20}, {16.5f, 20}, {17.5f, 6.5f}};
  c.g.DrawLines(&c.pen, body, 4);
  c.Line(10.5f, 10, 10.5f, 16.5f);
  c.Line(13.5f, 10, 13.5f, 16.5f);
}

void AddAtEnd(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  Lines(c);
  c.Line(19, 5, 19, 19);
  c.Line(16, 16, 19, 19);
  c.Line(22, 16, 19, 19);
}

void AddAtFront(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  Lines(c);
  c.Line(19, 19, 19, 5);
  c.Line(16, 8, 19, 5);
  c.Line(22, 8, 19, 5);
}

void Settings(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  c.Line(4, 7, 20, 7);
  c.Line(4, 12, 20, 12);
  c.Line(4, 17, 20, 17);
  c.Dot(15, 7, 2.6f);
  c.Dot(8, 12, 2.6f);
  c.Dot(13, 17, 2.6f);
}

void Pin(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  Gdiplus::PointF head[] = {{9, 3.5f}, {15, 3.5f}, {14, 9}, {17.5f, 13}, {6.5f, 13}, {10, 9}, {9, 3.5f}};
  c.g.DrawLines(&c.pen, head, 7);
  c.Line(12, 13, 12, 20.5f);
}

void Close(HDC dc, int size, std::uint32_t colour) {
  Canvas c(dc, size, colour);
  c.Line(8.2f, 8.2f, 15.8f, 15.8f);
  c.Line(15.8f, 8.2f, 8.2f, 15.8f);
}

}  // namespace velora::toolkit::glyphs
