#pragma once
// The panel by keyboard: a character typed anywhere on it starts a query in a box that takes the
// left of the category bar's place, and the grid shows the best matches of every category; the arrows, Home,
// End and the page keys move a selection through the grid, Enter launches it, the menu key opens
// its item menu, Ctrl+Tab changes the category, Esc ends the query and then hides the panel.
// While an input method composes, every key is its own.
#include <windows.h>

#include <functional>

#include "toolkit/control_host.h"
#include "toolkit/native_controls.h"
#include "ui/find_catalogue.h"
#include "ui/item_grid.h"

namespace velora::ui {

class FindByTyping {
 public:
  struct Panel {
    toolkit::Control& bar_holder;  // the box is made in it, beside the bar
    ItemGrid& grid;
    std::function<void()> relayout;  // the box came or went: the bar makes room or takes it back
    std::function<void()> hide_unless_held;
    std::function<void(int step)> step_category;  // +1 the next category, -1 the one before
    std::function<void(POINT at)> open_item_menu;
  };
  FindByTyping(toolkit::ControlHost& controls, Panel panel, FindCatalogue& catalogue);

  // A key pressed on the panel; true when it was used.
  bool KeyDown(WPARAM key);
  // A character typed on the panel outside the box: it goes to the query.
  void Char(wchar_t ch);
  // The menu key or Shift+F10 on the panel: the selected item's menu at its cell.
  void OpenSelectedItemMenu();
  // Back to the category that was on show (a category was chosen, the panel hid).
  void End();
  bool active() const { return active_; }
  // The box takes the keyboard while a query is on.
  void TakeFocus();

 private:
  bool BoxKey(const toolkit::KeyMessage& m);
  void Begin();
  void QueryChanged();

  toolkit::EditBox& box_;
  Panel panel_;
  FindCatalogue& catalogue_;
  bool active_ = false;
  bool ending_ = false;  // the box is being emptied by End
};

}  // namespace velora::ui
