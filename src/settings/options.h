#pragma once
// The program's options as one typed value: what the settings panel shows and the settings file
// keeps, read by behaviour instead of the panel's controls. The file keeps them where the
// panel's controls always stood: the "初始化" keys, the hotkey list's and the check boxes' states.
#include <functional>
#include <vector>

#include "settings/ini_document.h"
#include "settings/initial_settings.h"

namespace velora::settings {

struct Options : InitialSettings {
  bool side_button_summons = false;  // "鼠标侧键上呼出"
  bool middle_button_summons = false;
  bool docking = false;
  bool hide_on_leave = false;
  bool autostart = false;  // as the Run key reads back; the file's copy is only written
  bool launch_to_front = false;
  bool tips_off = false;
  bool hover_selects = false;
  bool double_click_opens = false;
  int hotkey = -1;  // function key F1 + hotkey; -1 while none is chosen

  bool operator==(const Options&) const = default;
};

// The hotkey list's entries, "F1" to "F12".
inline constexpr int kHotkeyCount = 12;

// A check box of the options page and the option it shows, in the page's order (the order of a
// new file's keys).
struct OptionBox {
  std::string_view name;
  bool Options::*option;
};
const std::vector<OptionBox>& OptionBoxes();

// Layout names of the controls whose state is an option, "|"-separated, as the control-state
// save takes its exclusions.
std::string_view OptionControlNames();

// A missing key takes its default (a check box unticked, no hotkey).
Options ReadOptions(const IniDocument& file, int default_window_width);
void WriteOptions(IniDocument& file, const Options& options);

// Docking and the mouse gestures exclude each other: docking on unticks both, off ticks both.
void SetDocking(Options& options, bool on);
// The user ticked or unticked one box of the options page.
void SetBox(Options& options, std::string_view box, bool checked);

// The options the program runs with, and who is told when they change.
class OptionsHolder {
 public:
  using Observer = std::function<void(const Options& now, const Options& before)>;

  // Stays the same object for the holder's life: a reference to it always reads the current
  // options.
  const Options& get() const noexcept { return options_; }
  // Observers are told in the order they came, also when nothing changed.
  void Set(const Options& options);
  void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

 private:
  Options options_;
  std::vector<Observer> observers_;
};

}  // namespace velora::settings
