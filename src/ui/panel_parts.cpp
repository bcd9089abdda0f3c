#include "ui/panel_parts.h"

#include <string>

#include "toolkit/control_host.h"
#include "toolkit/glyphs.h"
#include "toolkit/image_button.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/launcher_names.h"

namespace velora::ui {

PanelHead AddPanelHead(toolkit::ControlHost& c, toolkit::Control& panel, std::string_view title_name,
                       std::string_view caption, std::string_view close_name, int close_left) {
  auto& title = c.Add<toolkit::ImageButton>({std::string(title_name), &panel, {0, 4, 120, 24}, ""});
  title.SetGlyph(toolkit::glyphs::AddBookmark);
  title.SetTip(std::string(caption));
  title.SetCaption(std::string(caption));
  auto& close = c.Add<toolkit::ImageButton>({std::string(close_name), &panel, {close_left, 0, 32, 32}, ""});
  close.SetGlyph(toolkit::glyphs::Close);
  close.SetTip(std::string(names::kTipClose));
  return {&title, &close};
}

toolkit::EditBox& AddLabelledEdit(toolkit::ControlHost& c, toolkit::Control& parent, std::string_view name,
                                  Rect rect, std::string_view label_name, std::string_view caption,
                                  bool multiline) {
  auto& edit = c.Add<toolkit::EditBox>({std::string(name), &parent, rect, ""}, multiline);
  c.Add<toolkit::Label>({std::string(label_name), &edit, {8, 5, 55, 24}, std::string(caption)});
  edit.SetMargins(63, 0);
  return edit;
}

}  // namespace velora::ui
