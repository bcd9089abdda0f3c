#include "toolkit/popup_menu.h"
#include "core/guarded.h"

#include <commctrl.h>

#include "text/utf.h"
#include "toolkit/gdiplus.h"

namespace velora::toolkit {
namespace {

constexpr UINT_PTR kSubclassId = 0x564D;  // any constant: one menu tracks at a time per owner
constexpr int kPadding = 4;
constexpr int kCaptionIndent = 10;

}  // namespace

std::unique_ptr<PopupMenu> PopupMenu::Create(PopupMenuStyle style, Callback on_choose) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  return std::unique_ptr<PopupMenu>(new PopupMenu(style, std::move(on_choose), menu));
}

PopupMenu::PopupMenu(PopupMenuStyle style, Callback on_choose, HMENU menu)
    : style_(style), on_choose_(std::move(on_choose)), menu_(menu) {}

PopupMenu::~PopupMenu() = default;

int PopupMenu::AddItem(std::string caption, core::Size design_size, std::shared_ptr<const Image> icon) {
  const int id = static_cast<int>(items_.size()) + 1;
  auto item = std::make_unique<Item>(Item{id, std::move(caption), design_size, std::move(icon)});
  if (!AppendMenuW(menu_.get(), MF_OWNERDRAW, static_cast<UINT_PTR>(id),
                   reinterpret_cast<LPCWSTR>(item.get()))) {
    return 0;
  }
  items_.push_back(std::move(item));
  return id;
}

int PopupMenu::ItemCount() const { return GetMenuItemCount(menu_.get()); }

std::string PopupMenu::Caption(int id) const {
  return id >= 1 && id <= static_cast<int>(items_.size()) ? items_[static_cast<std::size_t>(id - 1)]->caption
                                                          : std::string();
}

const PopupMenu::Item* PopupMenu::ItemOf(ULONG_PTR data) const {
  // Compared, never dereferenced first: other owner-drawn menus of the owner carry other data.
  for (const auto& item : items_) {
    if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
  }
  return nullptr;
}

int PopupMenu::Popup(HWND owner, POINT screen) {
  if (tracking_ || !IsWindow(owner)) return 0;
  const UINT dpi = GetDpiForWindow(owner);
  dpi_ = dpi ? static_cast<int>(dpi) : 96;
  font_ = MakeFont(style_.font_points, dpi_);
  // The owner answers the measure and draw messages through us while the menu is open.
  if (!SetWindowSubclass(owner, &PopupMenu::OwnerProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return 0;
  }
  tracking_ = true;
  // A menu closes on a click elsewhere only when its owner is the foreground window.
  SetForegroundWindow(owner);
  const int id = static_cast<int>(TrackPopupMenuEx(
      menu_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, screen.x, screen.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  RemoveWindowSubclass(owner, &PopupMenu::OwnerProcedure, kSubclassId);
  tracking_ = false;
  if (id <= 0) return 0;
  // Copies: the callback may destroy this menu, for example by building the next one.
  const Callback callback = on_choose_;
  const MenuChoice choice{id, Caption(id)};
  // A failed action leaves the display as it was; nothing crosses into the message loop.
  if (callback) core::Guarded("menu choice", [&] { callback(choice); });
  return id;
}

LRESULT CALLBACK PopupMenu::OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) noexcept {
  return core::Guarded(
      "menu owner procedure",
      [&]() -> LRESULT {
        const auto* menu = reinterpret_cast<const PopupMenu*>(self);
        if (message == WM_MEASUREITEM) {
          auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
          if (measure->CtlType == ODT_MENU && menu->ItemOf(measure->itemData)) {
            menu->Measure(*measure);
            return TRUE;
          }
        } else if (message == WM_DRAWITEM) {
          const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
          if (draw->CtlType == ODT_MENU && menu->ItemOf(draw->itemData)) {
            menu->Draw(*draw);
            return TRUE;
          }
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

void PopupMenu::Measure(MEASUREITEMSTRUCT& measure) const {
  const Item& item = *ItemOf(measure.itemData);
  // The system widens owner-drawn items by the check-mark column; take it off again so the item
  // is as wide as asked.
  const int check = GetSystemMetricsForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi_)) - 1;
  // An item is never narrower than its caption: a cut "添加…" leaves the user guessing.
  const int height = core::Scale(item.size.height, dpi_);
  const int pad = core::Scale(kPadding, dpi_);
  int needed = (item.icon ? height : core::Scale(kCaptionIndent, dpi_)) + pad;
  if (const WindowDc screen(nullptr); screen.get()) {
    const Selection font_selection(screen.get(), font_.get());
    const std::wstring caption = text::Widen(item.caption);
    SIZE extent{};
    if (GetTextExtentPoint32W(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &extent)) {
      needed += extent.cx;
    }
  }
  const int width = std::max(core::Scale(item.size.width, dpi_), needed);
  measure.itemWidth = static_cast<UINT>(std::max(1, width - std::max(0, check)));
  measure.itemHeight = static_cast<UINT>(std::max(1, height));
}

void PopupMenu::Draw(const DRAWITEMSTRUCT& draw) const {
  const Item& item = *ItemOf(draw.itemData);
  const int width = draw.rcItem.right - draw.rcItem.left;
  const int height = draw.rcItem.bottom - draw.rcItem.top;
  OffscreenSurface surface(draw.hDC, width, height);
  HDC dc = surface.dc();
  const RECT all{0, 0, width, height};
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  // In the system's high-contrast mode the menu takes its colours.
  const bool contrast = SystemHighContrast();
  const std::uint32_t paper = contrast   ? SystemColour(selected ? COLOR_HIGHLIGHT : COLOR_MENU)
                              : selected ? style_.highlight_colour
                                         : style_.background_colour;
  {
    const UniqueBrush brush(CreateSolidBrush(ToColorRef(paper)));
    FillRect(dc, &all, brush.get());
  }
  int text_left = core::Scale(kCaptionIndent, dpi_);
  if (item.icon) {
    const int pad = core::Scale(kPadding, dpi_);
    const int side = std::max(0, height - 2 * pad);
    DrawImage(dc, *item.icon, {pad, pad, pad + side, pad + side});
    text_left = pad + side + pad;
  }
  const Selection font_selection(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(contrast ? SystemColour(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)
                                       : style_.text_colour));
  RECT text{text_left, 0, width - core::Scale(kPadding, dpi_), height};
  const std::wstring caption = text::Widen(item.caption);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  surface.Blit(draw.hDC, draw.rcItem.left, draw.rcItem.top);
}

}  // namespace velora::toolkit
