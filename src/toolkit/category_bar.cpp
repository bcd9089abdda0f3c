#include "toolkit/category_bar.h"

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {
constexpr int kCaptionPoints = 14;
}

CategoryBar::CategoryBar(ControlHost& host, ControlArgs args)
    : CustomControl(host, type_word::kListBox, std::move(args)), model_([&host](std::string_view caption) {
        // Widths are kept in design pixels; measure at the window's DPI and scale back.
        const SIZE size = MeasureText(text::Widen(caption), host.Font(kCaptionPoints), 1000);
        return MulDiv(size.cx, 96, host.dpi());
      }) {}

void CategoryBar::Fill(const std::vector<std::string>& names, std::uint32_t text_colour) {
  model_.Fill(names, text_colour);
  hover_.reset();
  Control::SetText(names.empty() ? std::string() : names.front());
}

void CategoryBar::SetCaption(std::size_t index, std::string caption, std::uint32_t colour) {
  model_.SetCaption(index, std::move(caption), colour);
  Invalidate();
}

std::optional<std::size_t> CategoryBar::CellAt(POINT at) const {
  return model_.CellAt(MulDiv(at.x, 96, host().dpi()));
}

void CategoryBar::Draw(HDC dc, RECT client) {
  CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const Selection font_selection(dc, host().Font(kCaptionPoints));
  SetBkMode(dc, TRANSPARENT);
  const int cell_height = host().Scale(kCategoryCellHeight);
  int left = 0;
  const auto& cells = model_.cells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int width = host().Scale(cells[i].width);
    RECT cell{left, 0, left + width, std::min<int>(cell_height, client.bottom)};
    if (cells[i].selected || hover_ == i) {
      // A rounded wash under the caption and, when selected, an accent line under it.
      Gdiplus::SolidBrush wash(cells[i].selected ? Gdiplus::Color(40, 64, 158, 255)
                                                 : Gdiplus::Color(20, 0, 0, 0));
      g.FillRectangle(&wash, cell.left + 1, cell.top + host().Scale(6), width - 2, host().Scale(26));
      if (cells[i].selected) {
        Gdiplus::SolidBrush accent(Gdiplus::Color(255, 64, 158, 255));
        g.FillRectangle(&accent, cell.left + host().Scale(6), cell.top + host().Scale(30),
                        width - host().Scale(12), host().Scale(2));
      }
    }
    SetTextColor(dc, ToColorRef(cells[i].colour));
    RECT text_rect{cell.left, cell.top + host().Scale(4), cell.right, cell.top + host().Scale(34)};
    const std::wstring caption = text::Widen(cells[i].caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text_rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    left += width;
  }
}

void CategoryBar::Selected(std::optional<std::string> caption, std::size_t index,
                           const std::function<void(std::size_t, const std::string&)>& notify) {
  if (!caption) return;
  Control::SetText(*caption);
  Invalidate();
  if (notify) notify(index, *caption);
}

void CategoryBar::OnLeftDown(Mouse m) {
  if (const auto index = CellAt(m.at)) Selected(model_.Select(*index), *index, on_select);
  DragWindow();  // pressing and dragging the bar moves the window
}

void CategoryBar::OnRightDown(Mouse m) {
  if (const auto index = CellAt(m.at); index && on_right_click) on_right_click(*index);
}

void CategoryBar::OnMove(Mouse m) {
  const auto index = CellAt(m.at);
  if (index == hover_) return;
  hover_ = index;
  SetFocus(hwnd());
  if (index && hover_selects && hover_selects()) {
    Selected(model_.HoverSelect(*index), *index, on_hover_select);
  } else {
    Invalidate();
  }
}

void CategoryBar::OnLeave() {
  hover_.reset();
  Invalidate();
}

}  // namespace velora::toolkit
