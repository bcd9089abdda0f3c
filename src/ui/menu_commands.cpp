#include "ui/menu_commands.h"

namespace velora::ui {

MenuContents TrayMenu() { return {kTrayMenuTitle, {kRestartEntry, kExitEntry}, 60}; }

MenuCommand DispatchMenu(std::string_view title, std::string_view caption) {
  if (title == kTrayMenuTitle) {
    if (caption == kRestartEntry) return MenuCommand::kRestart;
    if (caption == kExitEntry) return MenuCommand::kExit;
  }
  return MenuCommand::kNone;
}

}  // namespace velora::ui
