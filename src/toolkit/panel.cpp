#include "toolkit/panel.h"

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {

void Panel::SetFill(std::optional<std::uint32_t> argb, std::uint32_t border_argb) {
  fill_ = argb;
  border_ = border_argb;
  Invalidate();
}

void Panel::Draw(HDC dc, RECT client) {
  if (!fill_) return;
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  Gdiplus::SolidBrush brush(ToColor(*fill_));
  g.FillRectangle(&brush, 0, 0, client.right, client.bottom);
  if (border_ >> 24) {
    Gdiplus::Pen pen(ToColor(border_), 1.0f);
    g.DrawRectangle(&pen, 0, 0, client.right - 1, client.bottom - 1);
  }
}

bool Panel::HandleExtra(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_NCHITTEST || !drags_window_) return false;
  result = HTTRANSPARENT;
  return true;
}

std::vector<Caption> Label::Captions() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return {{text::Widen(Text()), host().Font(12), client, DT_WORDBREAK | DT_NOPREFIX}};
}

void Label::Draw(HDC dc, RECT) {
  Caption caption = Captions().front();
  const Selection font_selection(dc, caption.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(colour_));
  DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &caption.box, caption.format);
}

void Grip::Draw(HDC dc, RECT client) {
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush brush(ToColor(colour_));
  const float dot = static_cast<float>(host().Scale(2));
  const float step = static_cast<float>(client.right) / 3.0f;
  // Six dots in a falling triangle point at the corner that moves.
  for (int row = 0; row < 3; ++row) {
    for (int col = 2 - row; col < 3; ++col) {
      g.FillEllipse(&brush, col * step + (step - dot) / 2, row * step + (step - dot) / 2, dot, dot);
    }
  }
}

void Grip::OnLeftDown(Mouse) {
  POINT at{};
  GetCursorPos(&at);
  ReleaseCapture();
  SendMessageW(host().window(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(at.x, at.y));
  if (on_end_resize) on_end_resize();
}

void Grip::OnMove(Mouse) {
  if (!hover_) {
    hover_ = true;
    if (on_hover) on_hover(true);
  }
}

void Grip::OnLeave() {
  hover_ = false;
  if (on_hover) on_hover(false);
}

bool Grip::HandleExtra(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_SETCURSOR) return false;
  SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
  result = TRUE;
  return true;
}

}  // namespace velora::toolkit
