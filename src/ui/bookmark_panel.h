#pragma once
// The add-bookmark panel's controls: the address and the title a user types in, and the button
// that adds them. The fields' texts are control states the settings file keeps across restarts.
namespace velora::toolkit {
class ControlHost;
class EditBox;
class ImageButton;
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

BookmarkPanel BuildBookmarkPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);

}  // namespace velora::ui
