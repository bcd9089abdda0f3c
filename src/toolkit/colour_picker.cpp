#include "toolkit/colour_picker.h"
#include "core/guarded.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "text/utf.h"
#include "toolkit/accessible_name_win32.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {

constexpr UINT_PTR kEntrySubclass = 0xc01;
constexpr std::uint32_t kOutline = 0xFFDCDFE6;
constexpr std::uint32_t kSelectedOutline = 0xFF409EFF;

double Unit(LONG offset, LONG extent) {
  return extent > 1 ? std::clamp(static_cast<double>(offset) / (extent - 1), 0.0, 1.0) : 0.0;
}

// Paints `width` × `height` pixels given by `colour_at(x, y)` at `at` in one blit.
template <typename ColourAt>
void PaintPixels(HDC dc, RECT at, ColourAt colour_at) {
  const int width = at.right - at.left;
  const int height = at.bottom - at.top;
  if (width <= 0 || height <= 0) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[static_cast<std::size_t>(y) * width + x] = colour_at(x, y) & 0xFFFFFF;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, at.left, at.top, width, height, 0, 0, 0, height, pixels.data(), &info,
                    DIB_RGB_COLORS);
}

void Outline(HDC dc, RECT r, std::uint32_t argb) {
  const UniqueBrush brush(CreateSolidBrush(ToColorRef(argb)));
  FrameRect(dc, &r, brush.get());
}

}  // namespace

ColourPicker::ColourPicker(ControlHost& host, ControlArgs args)
    : CustomControl(host, kColourPickerType, std::move(args)) {
  // The entry is the picker's own child, not a control of the window: its text is no setting.
  entry_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                           0, 0, 0, 0, hwnd(), nullptr,
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE)), nullptr);
  if (entry_) {
    SendMessageW(entry_, EM_SETLIMITTEXT, 9, 0);
    SetWindowSubclass(entry_, &ColourPicker::EntryProcedure, kEntrySubclass,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  ApplyDpi();
  ShowEntry();
}

ColourPicker::~ColourPicker() {
  if (entry_) RemoveWindowSubclass(entry_, &ColourPicker::EntryProcedure, kEntrySubclass);
}

void ColourPicker::ApplyDpi() {
  Control::ApplyDpi();
  if (!entry_) return;
  const RECT r = Part(kEntry);
  SetWindowPos(entry_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(entry_, WM_SETFONT, reinterpret_cast<WPARAM>(host().Font(11)), TRUE);
}

RECT ColourPicker::Part(core::Rect design) const {
  const core::Rect r = core::Scale(design, host().dpi());
  return {r.left, r.top, r.right(), r.bottom()};
}

std::uint32_t ColourPicker::Colour() const { return core::FromHsv(hsv_, alpha_); }

void ColourPicker::SetColour(std::uint32_t argb) {
  const core::Hsv hsv = core::ToHsv(argb);
  // A grey has no hue of its own: keep the bar where the user left it.
  hsv_ = {hsv.saturation > 0 ? hsv.hue : hsv_.hue, hsv.saturation, hsv.value};
  alpha_ = static_cast<std::uint8_t>(argb >> 24);
  ShowEntry();
  Invalidate();
}

void ColourPicker::ShowEntry() {
  if (entry_) SetWindowTextW(entry_, text::Widen(core::HexText(Colour())).c_str());
}

void ColourPicker::Picked() {
  ShowEntry();
  Invalidate();
  UpdateWindow(hwnd());
  NotifyAccessible(EVENT_OBJECT_DESCRIPTIONCHANGE, 0);
  if (on_pick) on_pick(*this, Colour());
}

std::optional<core::AccessibleTree> ColourPicker::Accessible() const {
  core::AccessibleTree tree = AccessibleSelf(core::AccessibleRole::kPane, Text());
  tree.self.description = core::HexText(Colour());
  return tree;
}

std::optional<core::AccessibleTree> Frame::Accessible() const {
  if (!on_click) return std::nullopt;
  core::AccessibleTree tree = AccessibleSelf(core::AccessibleRole::kPushButton, Text());
  tree.self.default_action = "选择";
  tree.self.checked = selected_;
  return tree;
}

void ColourPicker::Draw(HDC dc, RECT) {
  const RECT field = Part(kField);
  const double hue = hsv_.hue;
  const LONG fw = field.right - field.left;
  const LONG fh = field.bottom - field.top;
  PaintPixels(dc, field, [&](int x, int y) {
    return core::FromHsv({hue, Unit(x, fw), 1 - Unit(y, fh)}, 0xFF);
  });
  const RECT bar = Part(kHueBar);
  const LONG bh = bar.bottom - bar.top;
  PaintPixels(dc, bar, [&](int, int y) { return core::FromHsv({360 * Unit(y, bh) * 0.9999, 1, 1}, 0xFF); });
  Outline(dc, field, kOutline);
  Outline(dc, bar, kOutline);

  // Markers: a ring on the field, a notch across the bar, both in a colour that shows.
  const int mx = field.left + static_cast<int>(hsv_.saturation * (fw - 1));
  const int my = field.top + static_cast<int>((1 - hsv_.value) * (fh - 1));
  const int ring = host().Scale(4);
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::Pen dark(Gdiplus::Color(255, 0, 0, 0), 1.5f);
  Gdiplus::Pen light(Gdiplus::Color(255, 255, 255, 255), 1.5f);
  g.DrawEllipse(hsv_.value > 0.5 && hsv_.saturation < 0.5 ? &dark : &light, mx - ring, my - ring, 2 * ring,
                2 * ring);
  const int hy = bar.top + static_cast<int>(hsv_.hue / 360 * (bh - 1));
  g.DrawRectangle(&dark, static_cast<INT>(bar.left - 1), hy - 2, static_cast<INT>(bar.right - bar.left + 1),
                  4);

  const RECT preview = Part(kPreview);
  const UniqueBrush fill(CreateSolidBrush(ToColorRef(Colour())));
  FillRect(dc, &preview, fill.get());
  Outline(dc, preview, kOutline);
}

void ColourPicker::PickAt(POINT at) {
  const RECT field = Part(kField);
  const RECT bar = Part(kHueBar);
  if (drag_ == Drag::kField) {
    hsv_.saturation = Unit(at.x - field.left, field.right - field.left);
    hsv_.value = 1 - Unit(at.y - field.top, field.bottom - field.top);
  } else if (drag_ == Drag::kHue) {
    hsv_.hue = 360 * Unit(at.y - bar.top, bar.bottom - bar.top) * 0.9999;
  } else {
    return;
  }
  Picked();
}

void ColourPicker::OnLeftDown(Mouse m) {
  const RECT field = Part(kField);
  const RECT bar = Part(kHueBar);
  if (PtInRect(&field, m.at)) {
    drag_ = Drag::kField;
  } else if (PtInRect(&bar, m.at)) {
    drag_ = Drag::kHue;
  } else {
    return;
  }
  CaptureMouse();
  PickAt(m.at);
}

void ColourPicker::OnMove(Mouse m) {
  if (drag_ != Drag::kNone) PickAt(m.at);
}

void ColourPicker::OnLeftUp(Mouse m) {
  if (drag_ == Drag::kNone) return;
  PickAt(m.at);
  drag_ = Drag::kNone;
  ReleaseMouse();
}

void ColourPicker::TakeEntry() {
  const int length = GetWindowTextLengthW(entry_);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(entry_, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(length));
  const std::optional<std::uint32_t> colour = core::ParseHexColour(text::Narrow(buffer), alpha_);
  if (!colour) return ShowEntry();  // not a colour: the entry shows the current one again
  if (*colour == Colour()) return;
  SetColour(*colour);
  Picked();
}

LRESULT CALLBACK ColourPicker::EntryProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                              DWORD_PTR data) noexcept {
  return core::Guarded(
      "colour entry procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<ColourPicker*>(data);
        if (message == WM_CHAR && wparam == VK_RETURN) {
          self->TakeEntry();
          return 0;  // no beep
        }
        if (message == WM_KILLFOCUS) self->TakeEntry();
        if (message == WM_GETOBJECT) {
          self->host().StartComForAccessibility();
          if (const LRESULT named =
                  AnswerGetObjectNamed(hwnd, wparam, lparam, std::string(kColourEntryName))) {
            return named;
          }
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

void ColourSwatch::Draw(HDC dc, RECT client) {
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  Gdiplus::SolidBrush brush(ToColor(colour_ | 0xFF000000));
  g.FillRectangle(&brush, 0, 0, client.right, client.bottom);
  Gdiplus::Pen pen(ToColor(kOutline), 1.0f);
  g.DrawRectangle(&pen, 0, 0, client.right - 1, client.bottom - 1);
}

void Frame::Draw(HDC dc, RECT client) {
  const UniqueBrush fill(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
  FillRect(dc, &client, fill.get());
  Outline(dc, client, selected_ ? kSelectedOutline : kOutline);
}

}  // namespace velora::toolkit
