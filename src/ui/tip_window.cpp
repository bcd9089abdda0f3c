#include "ui/tip_window.h"

#include "core/handles_win32.h"
#include "text/utf.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/panel.h"
#include "ui/launcher_names.h"
#include "ui/tip_text.h"

namespace velora::ui {
TipWindow::TipWindow() = default;
TipWindow::~TipWindow() { Destroy(); }

bool TipWindow::Create(HINSTANCE instance, HWND launcher, const toolkit::GdiplusSession& gdiplus) noexcept {
  if (!gdiplus.ok()) return false;
  if (!RegisterClassOnce(instance, kTipClass)) return false;
  return CreateWindowOf(instance, kTipClass, L"", WS_POPUP | WS_BORDER,
                        WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, {50, 50, 50 + 380, 50 + 250},
                        launcher);
}

LRESULT TipWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      controls_ = std::make_unique<toolkit::ControlHost>(hwnd());
      controls_->paint_backdrop = [](HDC dc, RECT area) {
        FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      };
      label_ =
          &controls_->Add<toolkit::Label>({std::string(names::kTipLabel), nullptr, {64, 40, 150, 64}, ""});
      return 0;
    case WM_DPICHANGED:
      // The next tip is measured and placed at the new scale.
      controls_->SetDpi(HIWORD(wparam));
      return 0;
    case WM_PAINT: {
      const core::PaintScope paint(hwnd());
      FillRect(paint.dc(), &paint.area(), reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 0;
    }
    default:
      return Default(message, wparam, lparam);
  }
}

void TipWindow::ShowTip(std::string_view text, Point screen_at) {
  if (text.empty() || !label_) return HideTip();
  const SIZE size =
      toolkit::MeasureText(text::Widen(text), controls_->Font(12), controls_->Scale(kTipMaxTextWidth));
  const TipPlacement place = PlaceTip(screen_at, {size.cx, size.cy});
  label_->SetText(text);
  // The label is placed in design pixels, the window in screen pixels.
  const int dpi = controls_->dpi();
  const auto design = [dpi](int device) { return MulDiv(device, 96, dpi); };
  label_->Move({place.label.left, place.label.top, design(place.label.width), design(place.label.height)});
  SetWindowPos(hwnd(), HWND_TOPMOST, place.window.left, place.window.top, place.window.width,
               place.window.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TipWindow::HideTip() { ShowWindow(hwnd(), SW_HIDE); }

bool TipWindow::Shows(std::string_view text) const {
  return label_ && IsWindowVisible(hwnd()) && label_->Text() == text;
}

}  // namespace velora::ui
