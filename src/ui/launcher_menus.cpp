#include "ui/launcher_menus.h"

namespace velora::ui {

void LauncherMenus::Show(const MenuSpec& spec, Point screen) {
  menu_.reset();
  title_ = std::string(spec.title);
  menu_ = toolkit::PopupMenu::Create({}, [this](const toolkit::MenuChoice& choice) {
    const MenuCommand command = DispatchMenu(title_, choice.caption);
    if (command != MenuCommand::kNone && on_command) on_command(command);
  });
  if (!menu_) return;
  for (std::string_view caption : spec.captions) {
    (void)menu_->AddItem(std::string(caption), {spec.entry_width, kMenuEntryHeight});
  }
  (void)menu_->Popup(owner_, {screen.x, screen.y});
}

}  // namespace velora::ui
