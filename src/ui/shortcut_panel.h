#pragma once
// The add-shortcut panel's controls: two modifier lists, the field that captures the main key,
// the name, the status line with the three key numbers, and the button that adds them.
namespace velora::toolkit {
class ComboBox;
class ControlHost;
class EditBox;
class ImageButton;
class Label;
class Panel;
class PushButton;
}  // namespace velora::toolkit

namespace velora::ui {

struct ShortcutPanel {
  toolkit::Panel* panel = nullptr;
  toolkit::ImageButton* close = nullptr;
  toolkit::ComboBox* first_modifier = nullptr;
  toolkit::ComboBox* second_modifier = nullptr;
  toolkit::EditBox* key = nullptr;
  toolkit::EditBox* name = nullptr;
  toolkit::Label* status = nullptr;
  toolkit::PushButton* add = nullptr;
};

ShortcutPanel BuildShortcutPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);

}  // namespace velora::ui
