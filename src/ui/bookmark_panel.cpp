#include "ui/bookmark_panel.h"

#include "toolkit/control_host.h"
#include "toolkit/glyphs.h"
#include "toolkit/image_button.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/core_types.h"
#include "ui/launcher_names.h"

namespace velora::ui {
namespace {

// An edit box with its caption inside on the left; the text starts after it.
void AddLabelledEdit(toolkit::ControlHost& c, toolkit::Panel& body, std::string_view name, Rect rect,
                     std::string_view label_name, std::string_view caption, bool multiline) {
  auto& edit = c.Add<toolkit::EditBox>({std::string(name), &body, rect, ""}, multiline);
  c.Add<toolkit::Label>({std::string(label_name), &edit, {8, 5, 55, 24}, std::string(caption)});
  edit.SetMargins(63, 0);
}

}  // namespace

void BuildBookmarkPanel(toolkit::ControlHost& c, toolkit::Panel& panel) {
  auto& title =
      c.Add<toolkit::ImageButton>({std::string(names::kBookmarkTitle), &panel, {0, 4, 120, 24}, ""});
  title.SetGlyph(toolkit::glyphs::AddBookmark);
  title.SetTip(std::string(names::kTipBookmark));
  auto& close =
      c.Add<toolkit::ImageButton>({std::string(names::kBookmarkClose), &panel, {336, 0, 32, 32}, ""});
  close.SetGlyph(toolkit::glyphs::Close);
  close.SetTip(std::string(names::kTipClose));
  close.on_click = [&panel](toolkit::Control&) { panel.Show(false); };
  auto& body = c.Add<toolkit::Panel>({std::string(names::kBookmarkBody),
                                      &panel,
                                      {1, 32, 366, 87},
                                      std::string(names::kBookmarkBodyCaption)});
  AddLabelledEdit(c, body, names::kBookmarkAddress, {8, 8, 351, 32}, names::kBookmarkAddressLabel, "网址：",
                  false);
  // A title may run over two lines; the grid shows it so.
  AddLabelledEdit(c, body, names::kBookmarkName, {8, 48, 295, 32}, names::kBookmarkNameLabel, "标题：", true);
}

}  // namespace velora::ui
