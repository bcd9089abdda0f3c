#pragma once
// The launcher window's state record, owned by the window and read by the parts it drives.
#include <cstdint>
#include <string>

namespace velora::ui {

struct WindowState {
  bool held = false;              // stays open: no auto-hide, no hide after a launch
  bool on_top = false;            // pinned; a summon gesture never hides the window
  bool edge_docking = false;      // "靠边伸缩": no mouse gestures, no auto-hide
  std::string current_category;   // table shown by the grid
  int page = 0;
  int current_item = 0;           // index within the page of the last pressed item
  bool item_pressed = false;
  bool resizing = false;
  std::string captured_selection;
  bool search_with_clipboard = false;
  std::uint32_t text_colour = 0xFE000000;
  int toasts_showing = 0;
  int remembered_group_cell = 0;  // the bar cell the group menu was last opened on
};

}  // namespace velora::ui
