#pragma once
// The pieces every add panel is made of: a title with its glyph and name, a close button, and
// edit boxes that carry their caption inside on the left.
#include <string_view>

#include "ui/core_types.h"

namespace velora::toolkit {
class ControlHost;
class Control;
class EditBox;
class ImageButton;
}  // namespace velora::toolkit

namespace velora::ui {

struct PanelHead {
  toolkit::ImageButton* title = nullptr;
  toolkit::ImageButton* close = nullptr;
};

// The title at the top left and the close button at `close_left` of a panel `panel`.
PanelHead AddPanelHead(toolkit::ControlHost& controls, toolkit::Control& panel, std::string_view title_name,
                       std::string_view caption, std::string_view close_name, int close_left);

// An edit box with its caption inside on the left; the text starts after it.
toolkit::EditBox& AddLabelledEdit(toolkit::ControlHost& controls, toolkit::Control& parent,
                                  std::string_view name, Rect rect, std::string_view label_name,
                                  std::string_view caption, bool multiline = false);

}  // namespace velora::ui
