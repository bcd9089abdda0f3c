#pragma once
// The launcher window's state record, owned by the window and read by the parts it drives.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/core_types.h"

namespace velora::ui {

struct WindowState {
  bool held = false;                           // stays open: no auto-hide, no hide after a launch
  bool on_top = false;                         // pinned; a summon gesture never hides the window
  bool edge_docking = false;                   // "靠边伸缩": no mouse gestures, no auto-hide
  std::optional<std::uint32_t> side_press_ms;  // time stamp of the side button's last press
  // As loaded or last applied: what the window paints and the settings file keeps.
  Appearance appearance;
  // Chosen on the skin page but not yet applied; new captions already use it.
  std::optional<std::uint32_t> picked_text_colour;
  int toasts_showing = 0;
  int remembered_group_cell = 0;  // the bar cell the group menu was last opened on
};

inline std::uint32_t CaptionColour(const WindowState& state) {
  return state.picked_text_colour.value_or(state.appearance.text);
}

}  // namespace velora::ui
