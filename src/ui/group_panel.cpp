#include "ui/group_panel.h"

#include <string>

#include "toolkit/control_host.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/launcher_names.h"
#include "ui/panel_parts.h"

namespace velora::ui {

GroupPanel BuildGroupPanel(toolkit::ControlHost& c, toolkit::Panel& panel) {
  GroupPanel parts;
  parts.panel = &panel;
  const PanelHead head =
      AddPanelHead(c, panel, names::kGroupTitle, names::kAddGroupTitleCaption, names::kGroupClose, 226);
  parts.title = head.title;
  parts.close = head.close;
  auto& body = c.Add<toolkit::Panel>(
      {std::string(names::kGroupBody), &panel, {1, 32, 255, 54}, std::string(names::kGroupBodyCaption)});
  parts.name =
      &AddLabelledEdit(c, body, names::kGroupName, {8, 8, 167, 32}, names::kGroupNameLabel, "名称：");
  parts.confirm = &c.Add<toolkit::PushButton>(
      {std::string(names::kGroupConfirm), &body, {193, 8, 49, 32}, std::string(names::kAddCaption)});
  return parts;
}

}  // namespace velora::ui
