#pragma once
// The add-group panel's controls: the name of a new group, or the new name of one, and the
// button that adds or renames it.
namespace velora::toolkit {
class ControlHost;
class EditBox;
class ImageButton;
class Panel;
class PushButton;
}  // namespace velora::toolkit

namespace velora::ui {

struct GroupPanel {
  toolkit::Panel* panel = nullptr;
  toolkit::ImageButton* title = nullptr;
  toolkit::ImageButton* close = nullptr;
  toolkit::EditBox* name = nullptr;
  toolkit::PushButton* confirm = nullptr;
};

GroupPanel BuildGroupPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);

}  // namespace velora::ui
