#include "ui/launcher_menus.h"

namespace velora::ui {

void LauncherMenus::Show(const MenuContents& menu, Point screen) {
  // The open menu's loop still delivers posted messages, such as another click on the tray
  // icon: the menu being tracked must not be replaced under it.
  if (showing_) return;
  menu_.reset();
  title_ = std::string(menu.title);
  menu_ = toolkit::PopupMenu::Create({}, [this](const toolkit::MenuChoice& choice) {
    const MenuCommand command = DispatchMenu(title_, choice.caption);
    showing_ = false;  // the menu has closed; the command may open the next
    if (command != MenuCommand::kNone && on_command) on_command(command);
  });
  if (!menu_) return;
  for (std::string_view caption : menu.captions) {
    (void)menu_->AddItem(std::string(caption), {menu.entry_width, kMenuEntryHeight});
  }
  showing_ = true;
  (void)menu_->Popup(owner_, {screen.x, screen.y});
  showing_ = false;
}

}  // namespace velora::ui
