#include "toolkit/image_button.h"

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {

std::optional<core::AccessibleTree> ImageButton::Accessible() const {
  core::AccessibleTree tree = AccessibleSelf(core::AccessibleRole::kPushButton, tip_);
  tree.self.default_action = "按下";
  tree.self.checked = selected_;  // the pin held, new items at the end
  return tree;
}

void ImageButton::DoAccessibleAction(int child) {
  if (child == 0 && on_click) on_click(*this);
}

std::vector<Caption> ImageButton::Captions() const {
  if (caption_.empty()) return {};
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int size = std::min(client.right, client.bottom);
  const RECT box{size + size / 4, 0, client.right, size};
  return {{text::Widen(caption_), host().Font(12, true), box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX}};
}

void ImageButton::Draw(HDC dc, RECT client) {
  const int size = std::min(client.right, client.bottom);
  const bool contrast = host().high_contrast();
  if (hover_ || selected_) {
    CheckGdiplusLive();
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush wash(contrast ? ToColor(SystemColour(selected_ ? COLOR_HIGHLIGHT : COLOR_WINDOW))
                                      : Gdiplus::Color(selected_ ? 70 : 35, 64, 158, 255));
    g.FillEllipse(&wash, 0, 0, size - 1, size - 1);
    if (contrast && hover_) {
      Gdiplus::Pen ring(ToColor(SystemColour(COLOR_WINDOWTEXT)), 1.0F);
      g.DrawEllipse(&ring, 0, 0, size - 1, size - 1);
    }
  }
  const std::uint32_t colour = contrast    ? SystemColour(selected_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)
                               : selected_ ? 0xFF409EFF
                                           : colour_;
  if (glyph_) glyph_(dc, size, colour);
  for (Caption& caption : Captions()) {
    const Selection font_selection(dc, caption.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(colour));
    DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &caption.box, caption.format);
  }
}

bool ImageButton::HandleExtra(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != BM_GETCHECK) return false;
  result = selected_ ? BST_CHECKED : BST_UNCHECKED;
  return true;
}

void ImageButton::OnLeftDown(Mouse) {
  pressed_ = true;
  CaptureMouse();
}

void ImageButton::OnLeftUp(Mouse m) {
  ReleaseMouse();
  RECT client{};
  GetClientRect(hwnd(), &client);
  const bool inside = PtInRect(&client, m.at) != FALSE;
  if (pressed_ && inside && on_click) on_click(*this);
  pressed_ = false;
}

void ImageButton::OnMove(Mouse) {
  if (hover_) return;
  hover_ = true;
  Invalidate();
  if (on_hover) on_hover(*this, true);
}

void ImageButton::OnLeave() {
  hover_ = false;
  Invalidate();
  if (on_hover) on_hover(*this, false);
}

}  // namespace velora::toolkit
