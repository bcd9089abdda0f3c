#include "ui/add_panel_views.h"

#include <string>
#include <string_view>

#include "toolkit/control_host.h"
#include "toolkit/glyphs.h"
#include "toolkit/image_button.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "ui/add_panel_logic.h"
#include "ui/core_types.h"
#include "ui/launcher_names.h"

namespace velora::ui {
namespace {

struct PanelHead {
  toolkit::ImageButton* title = nullptr;
  toolkit::ImageButton* close = nullptr;
};

// The title at the top left and the close button at `close_left`.
PanelHead AddPanelHead(toolkit::ControlHost& c, toolkit::Control& panel, std::string_view title_name,
                       std::string_view caption, std::string_view close_name, int close_left) {
  auto& title = c.Add<toolkit::ImageButton>({std::string(title_name), &panel, {0, 4, 120, 24}, ""});
  title.SetGlyph(toolkit::glyphs::AddBookmark);
  title.SetTip(std::string(caption));
  title.SetCaption(std::string(caption));
  title.SetTabStop(false);
  auto& close = c.Add<toolkit::ImageButton>({std::string(close_name), &panel, {close_left, 0, 32, 32}, ""});
  close.SetGlyph(toolkit::glyphs::Close);
  close.SetTip(std::string(names::kTipClose));
  return {&title, &close};
}

// An edit box with its caption inside on the left; the text starts after it.
toolkit::EditBox& AddLabelledEdit(toolkit::ControlHost& c, toolkit::Control& parent, std::string_view name,
                                  Rect rect, std::string_view label_name, std::string_view caption,
                                  bool multiline = false) {
  auto& edit = c.Add<toolkit::EditBox>({std::string(name), &parent, rect, ""}, multiline);
  edit.SetAccessibleName(caption);
  c.Add<toolkit::Label>({std::string(label_name), &edit, {8, 5, 55, 24}, std::string(caption)});
  edit.SetMargins(63, 0);
  return edit;
}

toolkit::ComboBox& AddModifierList(toolkit::ControlHost& c, toolkit::Panel& body, std::string_view label_name,
                                   std::string_view caption, std::string_view list_name, int top) {
  auto& list = c.Add<toolkit::ComboBox>({std::string(list_name), &body, {96, top, 127, 32}, ""},
                                        toolkit::type_word::kDropDown);
  for (std::string_view entry : kModifierEntries) list.Add(entry);
  list.SetAccessibleName(caption);
  // Made after the list, so it lies below it: the label's box reaches under the list's left edge.
  c.Add<toolkit::Label>({std::string(label_name), &body, {16, top + 8, 87, 24}, std::string(caption)});
  return list;
}

}  // namespace

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
