#pragma once
// The add-bookmark panel's fields: the address and the title a user types in. Their texts are
// control states the settings file keeps across restarts.
namespace velora::toolkit {
class ControlHost;
class Panel;
}  // namespace velora::toolkit

namespace velora::ui {

void BuildBookmarkPanel(toolkit::ControlHost& controls, toolkit::Panel& panel);

}  // namespace velora::ui
