#include "ui/shortcut_panel.h"

#include <string>

#include "toolkit/control_host.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/add_panel_logic.h"
#include "ui/launcher_names.h"
#include "ui/panel_parts.h"

namespace velora::ui {
namespace {

toolkit::ComboBox& AddModifierList(toolkit::ControlHost& c, toolkit::Panel& body, std::string_view label_name,
                                   std::string_view caption, std::string_view list_name, int top) {
  auto& list = c.Add<toolkit::ComboBox>({std::string(list_name), &body, {96, top, 127, 32}, ""},
                                        toolkit::type_word::kDropDown);
  for (std::string_view entry : kModifierEntries) list.Add(entry);
  // Made after the list, so it lies below it: the label's box reaches under the list's left edge.
  c.Add<toolkit::Label>({std::string(label_name), &body, {16, top + 8, 87, 24}, std::string(caption)});
  return list;
}

}  // namespace

ShortcutPanel BuildShortcutPanel(toolkit::ControlHost& c, toolkit::Panel& panel) {
  ShortcutPanel parts;
  parts.panel = &panel;
  parts.close =
      AddPanelHead(c, panel, names::kShortcutTitle, names::kShortcutTitleCaption, names::kShortcutClose, 200)
          .close;
  auto& body = c.Add<toolkit::Panel>({std::string(names::kShortcutBody),
                                      &panel,
                                      {1, 32, 231, 215},
                                      std::string(names::kShortcutBodyCaption)});
  parts.first_modifier =
      &AddModifierList(c, body, names::kFirstModifierLabel, "功能键1：", names::kFirstModifierList, 8);
  parts.second_modifier =
      &AddModifierList(c, body, names::kSecondModifierLabel, "功能键2：", names::kSecondModifierList, 48);
  parts.key =
      &AddLabelledEdit(c, body, names::kShortcutKey, {16, 88, 207, 32}, names::kShortcutKeyLabel, "按键：");
  parts.name = &AddLabelledEdit(c, body, names::kShortcutName, {16, 128, 207, 32}, names::kShortcutNameLabel,
                                "名称：");
  parts.status = &c.Add<toolkit::Label>(
      {std::string(names::kShortcutStatus), &body, {24, 176, 143, 24}, std::string(kStatusCaption)});
  parts.add = &c.Add<toolkit::PushButton>(
      {std::string(names::kShortcutAdd), &body, {175, 176, 49, 32}, std::string(names::kAddCaption)});
  return parts;
}

}  // namespace velora::ui
