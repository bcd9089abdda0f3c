#pragma once
// The controls of the three add panels, built into their empty panel frames: a title with its
// glyph and name, a close button, and the fields and buttons of each panel. The fields' texts are
// control states the settings file keeps across restarts.
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

struct BookmarkPanel {
  toolkit::Panel* panel = nullptr;
  toolkit::ImageButton* close = nullptr;
  toolkit::EditBox* address = nullptr;
  toolkit::EditBox* title = nullptr;
  toolkit::PushButton* add = nullptr;
};

// Two modifier lists, the field that captures the main key, the name, and the status line with
// the three key numbers.
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

// The name of a new group, or the new name of one; the title and button say which.
struct GroupPanel {
  toolkit::Panel* panel = nullptr;
  toolkit::ImageButton* title = nullptr;
  toolkit::ImageButton* close = nullptr;
  toolkit::EditBox* name = nullptr;
  toolkit::PushButton* confirm = nullptr;
};

BookmarkPanel BuildBookmarkPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);
ShortcutPanel BuildShortcutPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);
GroupPanel BuildGroupPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);

}  // namespace velora::ui
