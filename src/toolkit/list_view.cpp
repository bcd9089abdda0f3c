#include "toolkit/list_view.h"

#include <windowsx.h>

#include <algorithm>

#include "core/guarded.h"
#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {
constexpr UINT_PTR kParentSubclassId = 0x1157;
constexpr UINT_PTR kListSubclassId = 0x1158;
}  // namespace

ListView::ListView(ControlHost& host, ControlArgs args)
    : Control(host, type_word::kListBox, std::move(args)) {
  // The list keeps its image list shared: this control owns the row spacer.
  CreateHwnd(WC_LISTVIEWW,
             LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS);
  if (!hwnd()) return;
  SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  SetWindowSubclass(hwnd(), &ListView::ListProcedure, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
  // Clicks and drawing are told to the parent: listen there for this list's own.
  subclassed_parent_ = ParentHwnd();
  SetWindowSubclass(subclassed_parent_, &ListView::ParentProcedure,
                    kParentSubclassId + reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

ListView::~ListView() {
  if (subclassed_parent_ && IsWindow(subclassed_parent_)) {
    RemoveWindowSubclass(subclassed_parent_, &ListView::ParentProcedure,
                         kParentSubclassId + reinterpret_cast<UINT_PTR>(this));
  }
  if (hwnd()) {
    RemoveWindowSubclass(hwnd(), &ListView::ListProcedure, kListSubclassId);
    SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);  // before the spacer goes
  }
}

void ListView::AddColumn(std::string_view title, int design_width) {
  std::wstring text = text::Widen(title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = text.data();
  column.cx = host().Scale(design_width);
  const auto index = static_cast<int>(
      SendMessageW(hwnd(), LVM_INSERTCOLUMNW, ColumnCount(), reinterpret_cast<LPARAM>(&column)));
  if (index < 0) return;
  column_widths_.push_back(design_width);
  ApplyColumnWidths();
}

int ListView::ColumnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::AddRow(const std::vector<std::string>& cells) {
  std::wstring first = cells.empty() ? std::wstring() : text::Widen(cells[0]);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = RowCount();
  item.pszText = first.data();
  const auto row =
      static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (std::size_t c = 1; row >= 0 && c < cells.size(); ++c) SetCellText(row, static_cast<int>(c), cells[c]);
  return row;
}

int ListView::RowCount() const { return static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

std::string ListView::CellText(int row, int column) const {
  std::wstring buffer(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const auto n = SendMessageW(hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  buffer.resize(static_cast<std::size_t>(n));
  return text::Narrow(buffer);
}

void ListView::SetCellText(int row, int column, std::string_view text) {
  std::wstring wide = text::Widen(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(hwnd(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::Clear() {
  SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  if (hover_row_ >= 0) {
    hover_row_ = -1;
    if (on_row_hover) on_row_hover(-1);  // the row pointed at is gone
  }
}

void ListView::SetLook(const ListViewLook& look) {
  look_ = look;
  styled_ = true;
  ApplyRowHeight();
  ApplyColumnWidths();
  Invalidate();
}

int ListView::RowAt(POINT client) const {
  LVHITTESTINFO hit{};
  hit.pt = client;
  const auto row =
      static_cast<int>(SendMessageW(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? row : -1;
}

void ListView::ApplyDpi() {
  Control::ApplyDpi();  // also after every move: a stretched column follows the list's width
  if (!hwnd()) return;
  ApplyColumnWidths();
  ApplyRowHeight();
}

void ListView::ApplyColumnWidths() {
  if (!hwnd()) return;
  int others = 0;
  for (std::size_t c = 0; c < column_widths_.size(); ++c) {
    if (static_cast<int>(c) != look_.stretch_column) others += host().Scale(column_widths_[c]);
  }
  RECT box{};
  GetWindowRect(hwnd(), &box);
  const auto dpi = static_cast<UINT>(host().dpi());
  const int room = (box.right - box.left) - others - GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) -
                   2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
  for (std::size_t c = 0; c < column_widths_.size(); ++c) {
    int width = host().Scale(column_widths_[c]);
    if (static_cast<int>(c) == look_.stretch_column) width = std::max(width, room);
    SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, c, MAKELPARAM(width, 0));
  }
}

void ListView::ApplyRowHeight() {
  if (!hwnd() || look_.row_height <= 0) return;
  // The list puts a pixel of its own below a row's image.
  row_spacer_.reset(ImageList_Create(1, std::max(1, host().Scale(look_.row_height) - 1), ILC_COLOR32, 1, 0));
  SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(row_spacer_.get()));
}

int ListView::SelectedRow() const {
  return static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListView::RowAtMessage() const {
  const DWORD at = GetMessagePos();
  POINT client{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ScreenToClient(hwnd(), &client);
  return RowAt(client);
}

bool ListView::OnNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_DBLCLK:
      if (const int row = RowAtMessage(); row >= 0 && on_row_activate) on_row_activate(row);
      return false;  // the list's own answer stands
    case NM_RETURN:
      if (const int row = SelectedRow(); row >= 0 && on_row_activate) on_row_activate(row);
      return false;
    case NM_RCLICK:
      if (const int row = RowAtMessage(); row >= 0 && on_row_right_click) {
        on_row_right_click(row);
        result = TRUE;  // handled: no context menu of the list's own follows
        return true;
      }
      return false;
    case NM_CUSTOMDRAW:
      if (!styled_) return false;
      result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
      return true;
    default:
      return false;
  }
}

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    // NOLINTNEXTLINE(bugprone-branch-clone): two answers of the protocol that share one value
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      draw.clrText = ToColorRef(look_.text_colour);
      SelectObject(draw.nmcd.hdc, host().Font(12, draw.iSubItem == look_.bold_column));
      return CDRF_NEWFONT;
    default:
      return CDRF_DODEFAULT;
  }
}

void ListView::OnPointerMove(POINT client) {
  if (!pointer_inside_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
    pointer_inside_ = TrackMouseEvent(&track) != FALSE;
    if (focus_on_enter && GetFocus() != hwnd()) Focus();
  }
  const int row = RowAt(client);
  if (row == hover_row_) return;
  hover_row_ = row;
  if (on_row_hover) on_row_hover(row);
}

void ListView::OnPointerLeave() {
  pointer_inside_ = false;
  if (hover_row_ < 0) return;
  hover_row_ = -1;
  if (on_row_hover) on_row_hover(-1);
}

LRESULT CALLBACK ListView::ParentProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR data) noexcept {
  return core::Guarded(
      "list parent procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<ListView*>(data);
        if (message == WM_NOTIFY) {
          const auto* header = reinterpret_cast<const NMHDR*>(lparam);
          if (LRESULT result = 0; header->hwndFrom == self->hwnd() && self->OnNotify(*header, result)) {
            return result;
          }
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

LRESULT CALLBACK ListView::ListProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                         DWORD_PTR data) noexcept {
  return core::Guarded(
      "list procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<ListView*>(data);
        // The list tracks the pointer's leaving for its own hot item too: both get their answer.
        const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
        if (message == WM_MOUSEMOVE) {
          self->OnPointerMove({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        } else if (message == WM_MOUSELEAVE) {
          self->OnPointerLeave();
        } else if (message == WM_NCDESTROY) {
          RemoveWindowSubclass(hwnd, &ListView::ListProcedure, kListSubclassId);
        }
        return result;
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

}  // namespace velora::toolkit
