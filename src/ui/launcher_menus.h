#pragma once
// The one pop-up menu of the panel that may exist at a time: building the next one destroys the
// previous. A chosen entry reaches `on_command` through the dispatcher.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/popup_menu.h"
#include "ui/core_types.h"
#include "ui/menu_commands.h"

namespace velora::ui {

class LauncherMenus {
 public:
  explicit LauncherMenus(HWND owner) : owner_(owner) {}

  // Pops the menu up at `screen` (device pixels) and waits until it closes.
  void Show(const MenuContents& menu, Point screen);
  // True while a menu is up: the pointer is over the menu then, not away from the panel.
  bool showing() const noexcept { return showing_; }
  std::function<void(MenuCommand)> on_command;

 private:
  HWND owner_;
  std::string title_;
  std::unique_ptr<toolkit::PopupMenu> menu_;
  bool showing_ = false;
};

}  // namespace velora::ui
