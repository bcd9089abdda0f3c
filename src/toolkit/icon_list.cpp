#include "toolkit/icon_list.h"

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {

void IconList::SetTemplate(const CellTemplate& cell_template) {
  template_ = cell_template;
  Invalidate();
}

void IconList::Delete(int first, int count) {
  if (first < 0 || count <= 0 || first >= Count()) return;
  const int last = std::min(Count(), first + count);
  cells_.erase(cells_.begin() + first, cells_.begin() + last);
  hover_ = -1;
  Invalidate();
}

int IconList::Append() {
  cells_.emplace_back();
  Invalidate();
  return Count() - 1;
}

void IconList::SetImage(int cell, std::shared_ptr<const Image> image) {
  if (cell < 0 || cell >= Count()) return;
  cells_[cell].image = std::move(image);
  Invalidate();
}

void IconList::SetText(int cell, std::string_view text, std::uint32_t colour) {
  if (cell < 0 || cell >= Count()) return;
  cells_[cell].text = text::Widen(text);
  cells_[cell].colour = colour;
  Invalidate();
}

void IconList::SetSelected(int cell, std::uint32_t colour) {
  if (cell == selected_ && colour == selected_colour_) return;
  const bool moved = cell != selected_;
  selected_ = cell;
  selected_colour_ = colour;
  Invalidate();
  if (!moved || cell < 0) return;
  // A screen reader follows the keyboard's selection; item cells come first, so a cell's child
  // id is its index plus one.
  NotifyAccessible(EVENT_OBJECT_FOCUS, cell + 1);
  NotifyAccessible(EVENT_OBJECT_SELECTION, cell + 1);
}

std::vector<int> IconList::ItemCells() const {
  std::vector<int> cells;
  for (int i = 0; i < Count(); ++i) {
    if (cells_[static_cast<std::size_t>(i)].image || !cells_[static_cast<std::size_t>(i)].text.empty()) {
      cells.push_back(i);
    }
  }
  return cells;
}

std::optional<core::AccessibleTree> IconList::Accessible() const {
  core::AccessibleTree tree = AccessibleSelf(core::AccessibleRole::kList, Text());
  tree.self.focusable = true;
  const bool in_front = GetForegroundWindow() == GetAncestor(hwnd(), GA_ROOT);
  for (const int cell : ItemCells()) {
    const RECT r = CellRect(cell);
    core::AccessibleNode node;
    node.role = core::AccessibleRole::kListItem;
    node.name = text::Narrow(cells_[static_cast<std::size_t>(cell)].text);
    if (describe) node.description = describe(cell);
    node.default_action = "打开";
    node.location = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    node.selectable = node.focusable = true;
    node.selected = cell == selected_;
    node.focused = node.selected && in_front;
    node.offscreen = r.bottom > tree.self.location.height;
    tree.children.push_back(std::move(node));
  }
  return tree;
}

void IconList::DoAccessibleAction(int child) {
  const std::vector<int> cells = ItemCells();
  if (child >= 1 && child <= static_cast<int>(cells.size()) && on_activate) {
    on_activate(cells[static_cast<std::size_t>(child - 1)]);
  }
}

void IconList::SetHint(std::string_view text, std::uint32_t colour) {
  hint_ = text::Widen(text);
  hint_colour_ = colour;
  Invalidate();
}

int IconList::Columns() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return std::max<int>(1, client.right / std::max(1, host().Scale(template_.cell.width)));
}

int IconList::CellAt(POINT at) const {
  const int width = host().Scale(template_.cell.width);
  const int height = host().Scale(template_.cell.height);
  if (at.x < 0 || at.y < 0 || width <= 0 || height <= 0) return -1;
  const int column = at.x / width;
  if (column >= Columns()) return -1;
  const int index = (at.y / height) * Columns() + column;
  return index < Count() ? index : -1;
}

RECT IconList::CellRect(int cell) const {
  const int width = host().Scale(template_.cell.width);
  const int height = host().Scale(template_.cell.height);
  const int left = (cell % Columns()) * width;
  const int top = (cell / Columns()) * height;
  return {left, top, left + width, top + height};
}

void IconList::Draw(HDC dc, RECT client) {
  const int columns = Columns();
  const int width = host().Scale(template_.cell.width);
  const int height = host().Scale(template_.cell.height);
  const Selection font_selection(dc, host().Font(template_.text_points));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < Count(); ++i) {
    const int left = (i % columns) * width;
    const int top = (i / columns) * height;
    if (top >= client.bottom) break;
    const Cell& cell = cells_[i];
    const bool contrast = host().high_contrast();
    if (i == hover_ && (cell.image || !cell.text.empty())) {
      CheckGdiplusLive();
      Gdiplus::Graphics g(dc);
      if (contrast) {
        Gdiplus::Pen frame(ToColor(SystemColour(COLOR_HIGHLIGHT)), 1.0F);
        g.DrawRectangle(&frame, left + 2, top + 2, width - 5, height - 5);
      } else {
        Gdiplus::SolidBrush wash(Gdiplus::Color(28, 64, 158, 255));
        g.FillRectangle(&wash, left + 2, top + 2, width - 4, height - 4);
      }
    }
    if (i == selected_) {
      CheckGdiplusLive();
      Gdiplus::Graphics g(dc);
      g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
      const auto argb = static_cast<Gdiplus::ARGB>(contrast ? SystemColour(COLOR_HIGHLIGHT)
                                                            : selected_colour_ | 0xFF000000u);
      Gdiplus::Pen frame(Gdiplus::Color(argb), static_cast<Gdiplus::REAL>(std::max(1, host().Scale(2))));
      const int inset = host().Scale(3);
      g.DrawRectangle(&frame, left + inset, top + inset, width - 2 * inset, height - 2 * inset);
    }
    if (cell.image) {
      const core::Rect r = core::Scale(template_.image, host().dpi());
      DrawImage(dc, *cell.image, {left + r.left, top + r.top, left + r.right(), top + r.bottom()});
    }
    if (!cell.text.empty()) {
      const core::Rect r = core::Scale(template_.text, host().dpi());
      RECT text_rect{left + r.left, top + r.top, left + r.right(), top + r.bottom()};
      SetTextColor(dc, ToColorRef(contrast ? SystemColour(COLOR_WINDOWTEXT) : cell.colour));
      DrawTextW(dc, cell.text.c_str(), static_cast<int>(cell.text.size()), &text_rect,
                DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS | DT_EDITCONTROL);
    }
  }
  DrawHint(dc, client);
}

void IconList::DrawHint(HDC dc, RECT client) const {
  if (hint_.empty()) return;
  SetTextColor(dc, ToColorRef(host().high_contrast() ? SystemColour(COLOR_WINDOWTEXT) : hint_colour_));
  DrawTextW(dc, hint_.c_str(), static_cast<int>(hint_.size()), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void IconList::OnLeftDown(Mouse m) {
  if (on_press) on_press(CellAt(m.at));
}

void IconList::OnLeftUp(Mouse m) {
  if (on_release) on_release(CellAt(m.at));
}

void IconList::OnLeftDoubleClick(Mouse m) {
  if (on_double_click) on_double_click(CellAt(m.at));
}

void IconList::OnRightDown(Mouse m) {
  if (on_right_click) on_right_click(CellAt(m.at));
}

void IconList::OnMove(Mouse m) {
  const int cell = CellAt(m.at);
  if (cell == hover_) return;
  if (hover_ < 0) SetFocus(hwnd());  // the pointer entering the grid gives it the keyboard
  hover_ = cell;
  Invalidate();
  if (on_hover) on_hover(cell);
}

void IconList::OnLeave() {
  if (hover_ < 0) return;
  hover_ = -1;
  Invalidate();
  if (on_hover) on_hover(-1);
}

void IconList::OnWheel(int delta) {
  if (on_wheel) on_wheel(delta);
}

bool IconList::HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  // Captions answer the list box messages, so assistive tools (and tests) can read the cells.
  const Cell* cell = wparam < cells_.size() ? &cells_[wparam] : nullptr;
  switch (message) {
    case WM_SETCURSOR:
      if (!pointer_) return false;
      SetCursor(pointer_);
      result = TRUE;
      return true;
    case LB_GETCOUNT:
      result = Count();
      return true;
    case LB_GETTEXTLEN:
      result = cell ? static_cast<LRESULT>(cell->text.size()) : LB_ERR;
      return true;
    case LB_GETTEXT:
      if (!cell) {
        result = LB_ERR;
      } else {
        auto* out = reinterpret_cast<wchar_t*>(lparam);
        std::copy(cell->text.begin(), cell->text.end(), out);
        out[cell->text.size()] = L'\0';
        result = static_cast<LRESULT>(cell->text.size());
      }
      return true;
    default:
      return false;
  }
}

}  // namespace velora::toolkit
