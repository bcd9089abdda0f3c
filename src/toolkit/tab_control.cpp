#include "toolkit/tab_control.h"
#include "core/guarded.h"

#include <commctrl.h>

#include "text/utf.h"
#include "toolkit/control_host.h"

namespace velora::toolkit {
namespace {
constexpr UINT_PTR kSubclassId = 0x7ab;
constexpr COLORREF kTabText = RGB(0x30, 0x31, 0x33);
constexpr COLORREF kSelectedText = RGB(0x40, 0x9E, 0xFF);
constexpr COLORREF kSelectedFill = RGB(0xEC, 0xF5, 0xFF);
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}  // namespace

TabControl::TabControl(ControlHost& host, ControlArgs args)
    : Control(host, type_word::kTabs, std::move(args)) {
  // Owner-drawn, so the captions stand upright in the vertical strip.
  CreateHwnd(
      WC_TABCONTROLW,
      WS_CLIPCHILDREN | TCS_VERTICAL | TCS_MULTILINE | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED | TCS_FOCUSNEVER,
      WS_EX_CONTROLPARENT);  // its pages' controls take part in the Tab order
  ApplyDpi();
  // Notifications and item drawing go to the parent: listen there for this control's own.
  subclassed_parent_ = ParentHwnd();
  SetWindowSubclass(subclassed_parent_, &TabControl::ParentProcedure,
                    kSubclassId + reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

TabControl::~TabControl() {
  if (subclassed_parent_ && IsWindow(subclassed_parent_)) {
    RemoveWindowSubclass(subclassed_parent_, &TabControl::ParentProcedure,
                         kSubclassId + reinterpret_cast<UINT_PTR>(this));
  }
}

void TabControl::ApplyDpi() {
  Control::ApplyDpi();
  if (!hwnd()) return;
  SendMessageW(hwnd(), TCM_SETITEMSIZE, 0,
               MAKELPARAM(host().Scale(kTabLength), host().Scale(kStripWidth - 4)));
}

void TabControl::AddPage(std::string_view caption, Control& page) {
  captions_.push_back(text::Widen(caption));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = captions_.back().data();
  SendMessageW(hwnd(), TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(&page);
  if (pages_.size() == 1) Select(0);
  ShowSelectedPage();
}

int TabControl::Selected() const { return static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)); }

void TabControl::Select(int index) {
  SendMessageW(hwnd(), TCM_SETCURSEL, index, 0);
  ShowSelectedPage();
}

void TabControl::StepByKeyboard(int step) {
  const int count = Count();
  if (count == 0) return;
  const int index = ((Selected() + step) % count + count) % count;
  Select(index);
  if (on_change) on_change(*this);
  if (HWND first = GetNextDlgTabItem(pages_[static_cast<std::size_t>(index)]->hwnd(), nullptr, FALSE)) {
    SetFocus(first);
  }
}

RECT TabControl::TabRect(int index) const {
  RECT r{};
  SendMessageW(hwnd(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<Caption> TabControl::Captions() const {
  std::vector<Caption> captions;
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    RECT r{};
    SendMessageW(hwnd(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    captions.push_back({captions_[i], host().Font(12, true), r, kCaptionFormat});
  }
  return captions;
}

void TabControl::ShowSelectedPage() {
  const int selected = Selected();
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    const bool shown = static_cast<int>(i) == selected;
    pages_[i]->Show(shown);
    if (shown)
      SetWindowPos(pages_[i]->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void TabControl::DrawTab(const DRAWITEMSTRUCT& item) const {
  const bool selected = static_cast<int>(item.itemID) == Selected();
  RECT r = item.rcItem;
  const UniqueBrush fill(CreateSolidBrush(selected ? kSelectedFill : RGB(0xFF, 0xFF, 0xFF)));
  FillRect(item.hDC, &r, fill.get());
  if (item.itemID >= captions_.size()) return;
  const Selection font_selection(item.hDC, host().Font(12, selected));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected ? kSelectedText : kTabText);
  const std::wstring& caption = captions_[item.itemID];
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &r, kCaptionFormat);
}

LRESULT CALLBACK TabControl::ParentProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                             DWORD_PTR data) noexcept {
  return core::Guarded(
      "tab parent procedure",
      [&]() -> LRESULT {
        auto* self = reinterpret_cast<TabControl*>(data);
        if (message == WM_NOTIFY) {
          const auto* header = reinterpret_cast<const NMHDR*>(lparam);
          if (header->hwndFrom == self->hwnd() && header->code == TCN_SELCHANGE) {
            self->ShowSelectedPage();
            if (self->on_change) self->on_change(*self);
            return 0;
          }
        } else if (message == WM_DRAWITEM) {
          const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
          if (item->hwndItem == self->hwnd()) {
            self->DrawTab(*item);
            return TRUE;
          }
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

}  // namespace velora::toolkit
