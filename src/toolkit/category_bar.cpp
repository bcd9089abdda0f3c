#include "toolkit/category_bar.h"

#include <algorithm>

#include <windowsx.h>

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {
constexpr int kCaptionPoints = 14;
constexpr int kFadeWidth = 28;  // design pixels of the fade at an edge that hides cells
constexpr int kCaptionMiddle = 19;
constexpr std::uint32_t kArrowColour = 0xFF909399;
// Design pixels from the bar's edge past the arrow's back.
constexpr int kArrowRoom = 13;
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}  // namespace

CategoryBar::CategoryBar(ControlHost& host, ControlArgs args)
    : CustomControl(host, type_word::kListBox, std::move(args)), model_([&host](std::string_view caption) {
        // Widths are kept in design pixels; measure at the window's DPI and scale back.
        const SIZE size = MeasureText(text::Widen(caption), host.Font(kCaptionPoints), 1000);
        return MulDiv(size.cx, 96, host.dpi());
      }) {
  model_.SetViewWidth(rect().width);
}

void CategoryBar::ApplyDpi() {
  CustomControl::ApplyDpi();
  model_.SetViewWidth(rect().width);
  Invalidate();
}

std::string CategoryBar::Fill(const std::vector<std::string>& names, std::uint32_t text_colour,
                              std::string_view selected) {
  std::string shown = model_.Fill(names, text_colour, selected);
  hover_.reset();
  Control::SetText(shown);
  Invalidate();
  return shown;
}

void CategoryBar::SetCaption(std::size_t index, std::string caption, std::uint32_t colour) {
  model_.SetCaption(index, std::move(caption), colour);
  Invalidate();
}

std::optional<std::size_t> CategoryBar::CellAt(POINT at) const {
  return model_.CellAt(MulDiv(at.x, 96, host().dpi()));
}

RECT CategoryBar::CellRect(std::size_t index) const {
  int left = -host().Scale(model_.offset());
  const auto& cells = model_.cells();
  for (std::size_t i = 0; i < index && i < cells.size(); ++i) left += host().Scale(cells[i].width);
  const int width = index < cells.size() ? host().Scale(cells[index].width) : 0;
  return {left, 0, left + width, host().Scale(kCategoryCellHeight)};
}

RECT CategoryBar::CaptionBox(RECT cell) const {
  return {cell.left, cell.top + host().Scale(4), cell.right, cell.top + host().Scale(34)};
}

std::vector<Caption> CategoryBar::Captions() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  std::vector<Caption> captions;
  const auto& cells = model_.cells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const RECT cell = CellRect(i);
    if (cell.left < 0 || cell.right > client.right) continue;
    captions.push_back(
        {text::Widen(cells[i].caption), host().Font(kCaptionPoints), CaptionBox(cell), kCaptionFormat});
  }
  return captions;
}

void CategoryBar::Draw(HDC dc, RECT client) {
  // The backdrop under the bar, kept for the fades.
  OffscreenSurface backdrop(dc, client.right, client.bottom);
  BitBlt(backdrop.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);

  CheckGdiplusLive();
  {
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Selection font_selection(dc, host().Font(kCaptionPoints));
    SetBkMode(dc, TRANSPARENT);
    const auto& cells = model_.cells();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const RECT cell = CellRect(i);
      if (cell.right <= 0 || cell.left >= client.right) continue;
      const int width = cell.right - cell.left;
      const bool contrast = host().high_contrast();
      if (contrast && cells[i].selected) {
        Gdiplus::SolidBrush highlight(ToColor(SystemColour(COLOR_HIGHLIGHT)));
        g.FillRectangle(&highlight, cell.left + 1, cell.top + host().Scale(6), width - 2, host().Scale(26));
      } else if (contrast && hover_ == i) {
        Gdiplus::Pen frame(ToColor(SystemColour(COLOR_WINDOWTEXT)), 1.0F);
        g.DrawRectangle(&frame, cell.left + 1, cell.top + host().Scale(6), width - 3, host().Scale(26));
      } else if (cells[i].selected || hover_ == i) {
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
      const std::uint32_t ink = !contrast           ? cells[i].colour
                                : cells[i].selected ? SystemColour(COLOR_HIGHLIGHTTEXT)
                                                    : SystemColour(COLOR_WINDOWTEXT);
      SetTextColor(dc, ToColorRef(ink));
      RECT text_rect = CaptionBox(cell);
      const std::wstring caption = text::Widen(cells[i].caption);
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text_rect, kCaptionFormat);
    }
  }
  DrawEdgeHints(dc, backdrop.dc(), client);
}

void CategoryBar::DrawEdgeHints(HDC dc, HDC backdrop, RECT client) const {
  // Under the arrow the backdrop hides the cells whole, so no half glyph shows through it at any
  // scale; past the arrow they fade in.
  const int cover = std::min<int>(host().Scale(kArrowRoom), client.right / 4);
  const int fade = std::min<int>(host().Scale(kFadeWidth), client.right / 2 - cover);
  const int height = std::min<int>(host().Scale(kCategoryCellHeight), client.bottom);
  for (const bool at_left : {true, false}) {
    if (at_left ? !model_.HiddenBefore() : !model_.HiddenAfter()) continue;
    for (int i = 0; i < cover + fade; ++i) {
      const int x = at_left ? i : client.right - 1 - i;
      const int alpha = i < cover ? 255 : 255 * (cover + fade - i) / std::max(1, fade);
      const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
      AlphaBlend(dc, x, 0, 1, height, backdrop, x, 0, 1, height, blend);
    }
    CheckGdiplusLive();
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const std::uint32_t arrow_colour = host().high_contrast() ? SystemColour(COLOR_WINDOWTEXT) : kArrowColour;
    Gdiplus::Pen pen(ToColor(arrow_colour), static_cast<Gdiplus::REAL>(host().Scale(2)));
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    const auto middle = static_cast<Gdiplus::REAL>(host().Scale(kCaptionMiddle));
    const auto reach = static_cast<Gdiplus::REAL>(host().Scale(5));
    const auto tip = static_cast<Gdiplus::REAL>(at_left ? host().Scale(4) : client.right - host().Scale(4));
    const Gdiplus::REAL back = at_left ? tip + reach : tip - reach;
    const Gdiplus::PointF arrow[] = {{back, middle - reach}, {tip, middle}, {back, middle + reach}};
    g.DrawLines(&pen, arrow, 3);
  }
}

void CategoryBar::Selected(std::optional<std::string> caption, std::size_t index,
                           const std::function<void(std::size_t, const std::string&)>& notify) {
  if (!caption) return;
  Control::SetText(*caption);
  Invalidate();
  NotifyAccessible(EVENT_OBJECT_SELECTION, static_cast<int>(index) + 1);
  if (notify) notify(index, *caption);
}

std::optional<core::AccessibleTree> CategoryBar::Accessible() const {
  core::AccessibleTree tree = AccessibleSelf(core::AccessibleRole::kPageTabList, "分组");
  const auto& cells = model_.cells();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const RECT r = CellRect(i);
    core::AccessibleNode tab;
    tab.role = core::AccessibleRole::kPageTab;
    tab.name = cells[i].caption;
    tab.default_action = "切换";
    tab.location = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    tab.selectable = true;
    tab.selected = cells[i].selected;
    tab.offscreen = r.left < 0 || r.right > tree.self.location.width;  // not wholly in view
    tree.children.push_back(std::move(tab));
  }
  return tree;
}

void CategoryBar::DoAccessibleAction(int child) {
  if (child < 1 || static_cast<std::size_t>(child) > model_.cells().size()) return;
  const auto index = static_cast<std::size_t>(child - 1);
  Selected(model_.Select(index), index, on_select);
}

void CategoryBar::Step(int step) {
  const auto& cells = model_.cells();
  if (cells.empty()) return;
  const auto selected =
      std::find_if(cells.begin(), cells.end(), [](const CategoryCell& c) { return c.selected; });
  const auto count = static_cast<long long>(cells.size());
  const long long from = selected == cells.end() ? 0 : selected - cells.begin();
  const auto index = static_cast<std::size_t>(((from + step) % count + count) % count);
  Selected(model_.Select(index), index, on_select);
}

void CategoryBar::Scroll(int delta) {
  const int before = model_.offset();
  model_.ScrollBy(delta);
  if (model_.offset() == before) return;
  // The cells moved under the pointer: the hovered one is found again by the next move.
  hover_.reset();
  Invalidate();
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

// Turning the wheel away from the user goes back towards the first category.
void CategoryBar::OnWheel(int delta) { Scroll(-MulDiv(delta, kWheelStep, WHEEL_DELTA)); }

bool CategoryBar::HandleExtra(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
  if (message != WM_MOUSEHWHEEL) return false;
  Scroll(MulDiv(GET_WHEEL_DELTA_WPARAM(wparam), kWheelStep, WHEEL_DELTA));  // tilted right: onwards
  result = 0;
  return true;
}

}  // namespace velora::toolkit
