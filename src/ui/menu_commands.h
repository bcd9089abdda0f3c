#pragma once
// The panel's pop-up menus: each is told apart by its title, and one dispatcher turns the pair
// (title, caption) of a chosen entry into a command.
#include <string_view>
#include <vector>

namespace velora::ui {

struct MenuContents {
  std::string_view title;  // never shown
  std::vector<std::string_view> captions;
  int entry_width = 60;  // 96-DPI pixels
};

inline constexpr int kMenuEntryHeight = 24;

inline constexpr std::string_view kTrayMenuTitle = "退出程序";
inline constexpr std::string_view kRestartEntry = "软件重启";
inline constexpr std::string_view kExitEntry = "退出程序";

MenuContents TrayMenu();

enum class MenuCommand { kNone, kRestart, kExit };

// Any pair no menu offers does nothing.
MenuCommand DispatchMenu(std::string_view title, std::string_view caption);

}  // namespace velora::ui
