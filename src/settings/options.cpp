#include "settings/options.h"

#include <string>

#include "settings/control_state.h"
#include "settings/names.h"

namespace velora::settings {
namespace {

// The list's entries as the panel fills it; a list with nothing chosen shows no text.
ComboState HotkeyState(int hotkey) {
  ComboState state;
  for (int i = 1; i <= kHotkeyCount; ++i) state.entries.push_back({"F" + std::to_string(i), 0});
  state.selected = hotkey;
  if (hotkey >= 0) state.text = state.entries[static_cast<std::size_t>(hotkey)].title;
  return state;
}

int ReadHotkey(const IniDocument& file) {
  const std::string stored = file.Get(kComboSection, kHotkeyList).value_or("");
  if (stored.empty()) return -1;
  const int selected = DecodeComboState(stored).selected;
  return selected >= 0 && selected < kHotkeyCount ? selected : -1;
}

}  // namespace

const std::vector<OptionBox>& OptionBoxes() {
  static const std::vector<OptionBox> boxes = {
      {kSideButtonBox, &Options::side_button_summons},
      {kMiddleButtonBox, &Options::middle_button_summons},
      {kDockingBox, &Options::docking},
      {kHideOnLeaveBox, &Options::hide_on_leave},
      {kAutostartBox, &Options::autostart},
      {kLaunchToFrontBox, &Options::launch_to_front},
      {kTipsOffBox, &Options::tips_off},
      {kHoverSelectBox, &Options::hover_selects},
      {kDoubleClickBox, &Options::double_click_opens},
  };
  return boxes;
}

std::string_view OptionControlNames() {
  static const std::string names = [] {
    std::string joined(kHotkeyList);
    for (const OptionBox& box : OptionBoxes()) joined.append(1, kExclusionSeparator).append(box.name);
    return joined;
  }();
  return names;
}

Options ReadOptions(const IniDocument& file, int default_window_width) {
  Options options;
  static_cast<InitialSettings&>(options) = ReadInitialSettings(file, default_window_width);
  for (const OptionBox& box : OptionBoxes()) {
    const std::string stored = file.Get(kCheckSection, box.name).value_or("");
    // As a restored check box: anything but "假" ticks it.
    if (!stored.empty()) options.*box.option = stored != kUncheckedValue;
  }
  options.hotkey = ReadHotkey(file);
  return options;
}

void WriteOptions(IniDocument& file, const Options& options) {
  WriteInitialSettings(file, options);
  // The names are constants that always fit.
  (void)file.Set(kComboSection, kHotkeyList, EncodeComboState(HotkeyState(options.hotkey)));
  for (const OptionBox& box : OptionBoxes()) {
    (void)file.Set(kCheckSection, box.name, options.*box.option ? kCheckedValue : kUncheckedValue);
  }
}

void SetDocking(Options& options, bool on) {
  options.docking = on;
  options.side_button_summons = !on;
  options.middle_button_summons = !on;
}

void SetBox(Options& options, std::string_view box, bool checked) {
  if (box == kDockingBox) return SetDocking(options, checked);
  const bool gesture = box == kSideButtonBox || box == kMiddleButtonBox;
  if (gesture && checked && options.docking) return SetDocking(options, false);
  for (const OptionBox& known : OptionBoxes()) {
    if (known.name == box) options.*known.option = checked;
  }
}

void OptionsHolder::Set(const Options& options) {
  const Options before = options_;
  options_ = options;
  // A copy: an observer may add another.
  const std::vector<Observer> observers = observers_;
  for (const Observer& observer : observers) observer(options_, before);
}

}  // namespace velora::settings
