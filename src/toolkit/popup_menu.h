#pragma once
// Pop-up menus drawn by the toolkit: items of a given design size with an optional icon and a
// caption in "微软雅黑". Choosing an item calls back with its id and caption.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/image.h"

namespace velora::toolkit {

struct MenuChoice {
  int id = 0;
  std::string caption;
};

struct PopupMenuStyle {
  int font_points = 12;
  std::uint32_t text_colour = 0xFE000000;
  std::uint32_t background_colour = 0xFFFFFFFF;
  std::uint32_t highlight_colour = 0xFFE3EFFF;
};

class PopupMenu {
 public:
  using Callback = std::function<void(const MenuChoice&)>;

  // Empty when the system cannot make a menu.
  [[nodiscard]] static std::unique_ptr<PopupMenu> Create(PopupMenuStyle style, Callback on_choose);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // Appends an item of `design_size` (96-DPI pixels); its id counts from 1, 0 when it failed.
  [[nodiscard]] int AddItem(std::string caption, core::Size design_size,
                            std::shared_ptr<const Image> icon = nullptr);
  int ItemCount() const;
  // The caption of item `id`; empty for an unknown id.
  std::string Caption(int id) const;
  HMENU handle() const { return menu_.get(); }

  // Shows the menu at `screen` (device pixels) for `owner` and waits, pumping messages, until an
  // item is chosen or the menu is dismissed. Returns the chosen id, 0 when none was. The
  // callback runs after the menu has closed, so it may destroy this menu.
  int Popup(HWND owner, POINT screen);

 private:
  struct Item {
    int id;
    std::string caption;
    core::Size size;
    std::shared_ptr<const Image> icon;
  };

  PopupMenu(PopupMenuStyle style, Callback on_choose, HMENU menu);
  const Item* ItemOf(ULONG_PTR data) const;
  void Measure(MEASUREITEMSTRUCT& measure) const;
  void Draw(const DRAWITEMSTRUCT& draw) const;
  static LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self) noexcept;

  PopupMenuStyle style_;
  Callback on_choose_;
  core::UniqueMenu menu_;
  std::vector<std::unique_ptr<Item>> items_;  // stable addresses: the menu holds them as item data
  int dpi_ = 96;
  UniqueFont font_;
  bool tracking_ = false;
};

}  // namespace velora::toolkit
