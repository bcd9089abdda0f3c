#include "ui/bookmark_panel.h"

#include <string>

#include "toolkit/control_host.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/launcher_names.h"
#include "ui/panel_parts.h"

namespace velora::ui {

BookmarkPanel BuildBookmarkPanel(toolkit::ControlHost& c, toolkit::Panel& panel) {
  BookmarkPanel parts;
  parts.panel = &panel;
  parts.close =
      AddPanelHead(c, panel, names::kBookmarkTitle, names::kTipBookmark, names::kBookmarkClose, 336).close;
  auto& body = c.Add<toolkit::Panel>({std::string(names::kBookmarkBody),
                                      &panel,
                                      {1, 32, 366, 87},
                                      std::string(names::kBookmarkBodyCaption)});
  parts.address = &AddLabelledEdit(c, body, names::kBookmarkAddress, {8, 8, 351, 32},
                                   names::kBookmarkAddressLabel, "网址：");
  // A title may run over two lines; the grid shows it so.
  parts.title = &AddLabelledEdit(c, body, names::kBookmarkName, {8, 48, 295, 32}, names::kBookmarkNameLabel,
                                 "标题：", true);
  parts.add = &c.Add<toolkit::PushButton>(
      {std::string(names::kBookmarkAdd), &body, {311, 48, 49, 32}, std::string(names::kAddCaption)});
  return parts;
}

}  // namespace velora::ui
