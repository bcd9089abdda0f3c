#include "ui/settings_panel.h"

#include <charconv>
#include <string>

#include "settings/names.h"
#include "text/utf.h"
#include "toolkit/colour_picker.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/gdiplus.h"
#include "toolkit/glyphs.h"
#include "toolkit/image_button.h"
#include "toolkit/list_view.h"
#include "toolkit/native_controls.h"
#include "toolkit/panel.h"
#include "toolkit/tab_control.h"
#include "ui/launcher_names.h"
#include "ui/settings_panel_names.h"

namespace velora::ui {
namespace {

namespace sn = settings_names;
using toolkit::Control;
using toolkit::ControlArgs;

std::string Name(std::string_view name) { return std::string(name); }

// Page controls are placed in the tab control's coordinates; the page starts right of the strip.
Rect OnPage(Rect r) { return {r.left - toolkit::TabControl::kStripWidth, r.top, r.width, r.height}; }

int LeadingInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? value : 0;
}

}  // namespace

int SteppedValue(std::string_view text, int step) {
  const long long sum = static_cast<long long>(LeadingInteger(text)) + step;
  if (step > 0) return sum < kNumberFieldMaximum ? static_cast<int>(sum) : kNumberFieldMaximum;
  return sum > 0 ? static_cast<int>(sum) : 0;
}

SettingsPanel::SettingsPanel(toolkit::ControlHost& controls, SettingsPanelEvents events)
    : controls_(controls), events_(std::move(events)) {}

void SettingsPanel::Build() {
  using namespace toolkit;
  ControlHost& c = controls_;
  Control* panel = c.Find(names::kSettingsPanel);
  if (!panel) return;

  auto& title = c.Add<ImageButton>({Name(sn::kTitle), panel, {0, 4, 72, 24}, ""});
  title.SetTip(Name(sn::kTitleCaption));
  title.SetGlyph(glyphs::Settings);
  title.SetCaption(Name(sn::kTitleCaption));
  title.SetTabStop(false);
  auto& close = c.Add<ImageButton>({Name(sn::kClose), panel, {416, 0, 32, 32}, ""});
  close.SetGlyph(toolkit::glyphs::Close);
  close.SetTip(Name(names::kTipClose));
  close.on_click = [panel](Control&) { panel->Show(false); };

  auto& body = c.Add<Panel>({Name(sn::kBody), panel, {1, 32, 445, 222}, Name(sn::kBodyCaption)});
  body.SetFill(0xFFFFFFFF);
  auto& tabs = c.Add<TabControl>({Name(sn::kTabs), &body, {-1, 0, 448, 222}, Name(sn::kTabsCaption)});
  const Rect page_rect{TabControl::kStripWidth, 1, 448 - TabControl::kStripWidth - 2, 219};
  auto& options = c.Add<Panel>({Name(sn::kOptionsPage), &tabs, page_rect, Name(sn::kOptionsPageCaption)});
  auto& skin = c.Add<Panel>({Name(sn::kSkinPage), &tabs, page_rect, Name(sn::kSkinPageCaption)});
  auto& about = c.Add<Panel>({Name(sn::kAboutPage), &tabs, page_rect, Name(sn::kAboutPageCaption)});
  for (Panel* page : {&options, &skin, &about}) page->SetFill(0xFFFFFFFF);
  BuildOptionsPage(options);
  BuildSkinPage(skin);
  BuildAboutPage(about);
  tabs.AddPage(sn::kOptionsTab, options);
  tabs.AddPage(sn::kSkinTab, skin);
  tabs.AddPage(sn::kAboutTab, about);
  tabs.on_change = [this, &about](Control&) {
    if (about.visible() && events_.about_shown) events_.about_shown();
  };
}

void SettingsPanel::BuildOptionsPage(Control& page) {
  using namespace toolkit;
  ControlHost& c = controls_;
  struct Box {
    std::string_view name;
    Rect rect;
  };
  const Box boxes[] = {
      {settings::kSideButtonBox, {88, 14, 136, 20}},    {settings::kMiddleButtonBox, {88, 46, 144, 20}},
      {settings::kDockingBox, {88, 78, 144, 20}},       {settings::kHideOnLeaveBox, {88, 110, 136, 20}},
      {settings::kAutostartBox, {88, 142, 112, 20}},    {settings::kLaunchToFrontBox, {88, 182, 136, 20}},
      {settings::kTipsOffBox, {232, 78, 152, 20}},      {settings::kHoverSelectBox, {232, 110, 128, 20}},
      {settings::kDoubleClickBox, {232, 142, 128, 20}},
  };
  for (const Box& box : boxes) {
    // The caption is the name after its type word.
    const std::string caption(box.name.substr(box.name.find('_') + 1));
    c.Add<CheckBox>({Name(box.name), &page, OnPage(box.rect), caption}).on_click =
        [this, name = box.name](Control& clicked) {
          if (events_.box_ticked) events_.box_ticked(name, static_cast<CheckBox&>(clicked).Checked());
        };
  }

  c.Add<Label>({Name(sn::kHotkeyLabel), &page, OnPage({235, 11, 112, 26}), Name(sn::kHotkeyCaption)});
  auto& keys = c.Add<ComboBox>({Name(settings::kHotkeyList), &page, OnPage({235, 40, 101, 32}), ""},
                               type_word::kDropDown);
  for (int i = 1; i <= 12; ++i) keys.Add("F" + std::to_string(i));
  // The label above says whether the key took; the list itself is the key.
  keys.SetAccessibleName(sn::kHotkeyCaption);
  keys.on_change = [this](Control& list) {
    if (events_.hotkey_chosen) events_.hotkey_chosen(static_cast<ComboBox&>(list).Selected());
  };

  c.Add<PushButton>({Name(sn::kRestartButton), &page, OnPage({296, 184, 64, 32}), Name(sn::kRestartCaption)})
      .on_click = [this](Control&) {
    if (events_.restart) events_.restart();
  };
  c.Add<PushButton>({Name(sn::kSaveButton), &page, OnPage({368, 184, 64, 32}), Name(sn::kSaveCaption)})
      .on_click = [this](Control&) {
    if (events_.save) events_.save();
  };
}

void SettingsPanel::BuildColourFrame(Control& page, std::string_view frame_name, std::string_view swatch_name,
                                     std::string_view mark_name, std::string_view caption, Rect rect,
                                     ColourTarget target) {
  using namespace toolkit;
  // Every part of the frame is read out as the colour it sets.
  auto& frame = controls_.Add<Frame>({Name(frame_name), &page, OnPage(rect), Name(caption)});
  auto& swatch = controls_.Add<ColourSwatch>({Name(swatch_name), &frame, {4, 4, 37, 32}, Name(caption)});
  auto& mark = controls_.Add<Panel>({Name(mark_name), &frame, {45, 14, rect.width - 50, 12}, Name(caption)});
  mark.SetFill(0xFFF2F3F5);
  const auto choose = [this, target](Control&) { Target(target); };
  frame.on_click = choose;
  frame.SetTabStop(true);
  swatch.on_click = choose;
}

void SettingsPanel::BuildNumberField(Control& page, std::string_view field_name, std::string_view label_name,
                                     std::string_view caption, Rect rect, std::string_view down_name,
                                     std::string_view up_name, int step) {
  using namespace toolkit;
  ControlHost& c = controls_;
  constexpr int kLabelWidth = 68;  // four characters of the caption
  constexpr int kButton = 16;
  auto& field = c.Add<EditBox>({Name(field_name), &page, OnPage(rect), "0"});
  field.SetAccessibleName(caption);
  // The inner label and the buttons lie on the field; its text keeps clear of them.
  field.SetMargins(kLabelWidth + 4, kButton + 4);
  const Rect r = OnPage(rect);
  auto& label =
      c.Add<Label>({Name(label_name), &page, {r.left + 3, r.top + 3, kLabelWidth, 22}, Name(caption)});
  auto& up =
      c.Add<PushButton>({Name(up_name), &page, {r.right() - kButton - 3, r.top + 3, kButton, kButton}, "+"});
  auto& down = c.Add<PushButton>(
      {Name(down_name), &page, {r.right() - kButton - 3, r.bottom() - kButton - 3, kButton, kButton}, "-"});
  // Each goes just above the field, not to the top of the page: Tab follows this order, so the
  // field's buttons come with the field rather than before every other control of the page.
  for (Control* over :
       {static_cast<Control*>(&label), static_cast<Control*>(&up), static_cast<Control*>(&down)}) {
    HWND above = GetWindow(field.hwnd(), GW_HWNDPREV);
    SetWindowPos(over->hwnd(), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  up.on_click = [&field, step](Control&) { field.SetText(std::to_string(SteppedValue(field.Text(), step))); };
  down.on_click = [&field, step](Control&) {
    field.SetText(std::to_string(SteppedValue(field.Text(), -step)));
  };
}

void SettingsPanel::BuildSkinPage(Control& page) {
  using namespace toolkit;
  ControlHost& c = controls_;
  c.Add<Label>({Name(sn::kBackgroundLabel), &page, OnPage({60, 16, 87, 24}), "背景色："});
  BuildColourFrame(page, sn::kBackgroundFrame, settings::kBackgroundSwatch, sn::kBackgroundMark,
                   sn::kBackgroundColourCaption, {120, 8, 64, 40}, ColourTarget::kBackground);
  c.Add<Label>({Name(sn::kTextColourLabel), &page, OnPage({59, 64, 87, 24}), "字体色："});
  BuildColourFrame(page, sn::kTextColourFrame, settings::kTextColourSwatch, sn::kTextColourMark,
                   sn::kTextColourCaption, {120, 56, 72, 40}, ColourTarget::kText);
  c.Add<Label>({Name(sn::kBorderColourLabel), &page, OnPage({188, 16, 87, 24}), "边线色："});
  BuildColourFrame(page, sn::kBorderColourFrame, settings::kBorderColourSwatch, sn::kBorderColourMark,
                   sn::kBorderColourCaption, {248, 8, 68, 40}, ColourTarget::kBorder);
  BuildNumberField(page, settings::kCornerRadiusField, sn::kRadiusLabel, "圆角度：", {64, 112, 128, 41},
                   sn::kRadiusDown, sn::kRadiusUp, kRadiusStep);
  BuildNumberField(page, settings::kBorderWidthField, sn::kBorderWidthLabel, "边线宽：", {320, 8, 120, 41},
                   sn::kBorderWidthDown, sn::kBorderWidthUp, 1);
  picker_ =
      &c.Add<ColourPicker>({Name(sn::kPicker), &page, OnPage({208, 56, 232, 160}), Name(sn::kPickerCaption)});
  picker_->on_pick = [this](ColourPicker&, std::uint32_t argb) { Picked(argb); };
  c.Add<PushButton>({Name(sn::kApplyButton), &page, OnPage({64, 176, 128, 32}), Name(sn::kApplyCaption)})
      .on_click = [this](Control&) {
    if (events_.apply) events_.apply();
  };
  Target(ColourTarget::kBackground);
}

void SettingsPanel::BuildAboutPage(Control& page) {
  using namespace toolkit;
  ControlHost& c = controls_;
  // The two titles end where their text does: the backups take the right of the page.
  c.Add<Label>({Name(sn::kAboutName), &page, OnPage({96, 16, 144, 26}), Name(sn::kProductName)});
  c.Add<Label>({Name(sn::kVersionLabel), &page, OnPage({96, 50, 144, 26}), ""});
  c.Add<Label>({Name(sn::kDisclaimerTitle), &page, OnPage({96, 76, 144, 26}), Name(sn::kDisclaimerCaption)});
  c.Add<Label>({Name(sn::kDisclaimerText), &page, OnPage({96, 102, 144, 76}), Name(sn::kDisclaimer)});

  auto& list = c.Add<ListView>(
      {Name(sn::kBackupList), &page, OnPage({240, 12, 200, 160}), Name(sn::kBackupListCaption)});
  list.AddColumn(sn::kBackupTimeColumn, 126);
  list.AddColumn(sn::kBackupItemsColumn, 52);
  list.SetLook({.stretch_column = 1});
  auto& restore = c.Add<PushButton>(
      {Name(sn::kRestoreButton), &page, OnPage({376, 180, 64, 32}), Name(sn::kRestoreCaption)});
  const auto chosen = [this](int row) {
    if (events_.restore_chosen) events_.restore_chosen(row);
  };
  restore.on_click = [chosen, &list](Control&) { chosen(list.SelectedRow()); };
  list.on_row_activate = chosen;

  // Export and import share the bottom row with "恢复": all four change or copy the store.
  const struct {
    std::string_view name;
    std::string_view caption;
    Rect rect;
    std::function<void()> SettingsPanelEvents::*event;
  } transfers[] = {
      {sn::kExportButton, sn::kExportCaption, {96, 180, 64, 32}, &SettingsPanelEvents::export_chosen},
      {sn::kImportButton, sn::kImportCaption, {164, 180, 64, 32}, &SettingsPanelEvents::import_chosen},
      {sn::kBookmarksButton,
       sn::kBookmarksCaption,
       {232, 180, 136, 32},
       &SettingsPanelEvents::bookmarks_chosen},
  };
  for (const auto& t : transfers) {
    c.Add<PushButton>({Name(t.name), &page, OnPage(t.rect), Name(t.caption)}).on_click =
        [this, event = t.event](Control&) {
          if (events_.*event) (events_.*event)();
        };
  }
}

void SettingsPanel::SetBackups(const std::vector<BackupEntry>& rows) {
  auto* list = controls_.FindAs<toolkit::ListView>(sn::kBackupList);
  if (!list) return;
  list->SuspendRedraw();
  list->Clear();
  for (const BackupEntry& row : rows) list->AddRow({ListTimeCell(row.time), ListItemsCell(row.items)});
  list->ResumeRedraw();
}

bool SettingsPanel::AboutPageShown() const {
  const Control* about = controls_.Find(sn::kAboutPage);
  return about && about->visible();  // the panel and the window shown too
}

void SettingsPanel::Toggle() {
  Control* panel = controls_.Find(names::kSettingsPanel);
  if (!panel) return;
  panel->Show(!panel->visible());
  if (panel->visible()) SetWindowPos(panel->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SettingsPanel::SetVersionCaption(std::string_view caption) {
  if (Control* label = controls_.Find(sn::kVersionLabel)) label->SetText(caption);
}

void SettingsPanel::SetHotkeyResult(bool registered) {
  if (Control* label = controls_.Find(sn::kHotkeyLabel))
    label->SetText(registered ? sn::kHotkeyDone : sn::kHotkeyFailed);
}

void SettingsPanel::SelectHotkey(int index) {
  if (auto* list = controls_.FindAs<toolkit::ComboBox>(settings::kHotkeyList)) list->Select(index);
}

void SettingsPanel::SetBox(std::string_view box, bool checked) {
  if (auto* found = controls_.FindAs<toolkit::CheckBox>(box)) found->SetChecked(checked);
}

std::string_view SettingsPanel::SwatchOf(ColourTarget target) const {
  switch (target) {
    case ColourTarget::kText:
      return settings::kTextColourSwatch;
    case ColourTarget::kBorder:
      return settings::kBorderColourSwatch;
    default:
      return settings::kBackgroundSwatch;
  }
}

std::uint32_t SettingsPanel::SwatchColour(std::string_view swatch) const {
  const auto* s = controls_.FindAs<toolkit::ColourSwatch>(swatch);
  return s ? s->Colour() : 0;
}

void SettingsPanel::SetSwatchColour(std::string_view swatch, std::uint32_t argb) {
  if (auto* s = controls_.FindAs<toolkit::ColourSwatch>(swatch)) s->SetColour(argb);
  if (picker_ && swatch == SwatchOf(target_)) picker_->SetColour(argb);
}

void SettingsPanel::Target(ColourTarget target) {
  target_ = target;
  const std::pair<ColourTarget, std::string_view> frames[] = {
      {ColourTarget::kBackground, sn::kBackgroundFrame},
      {ColourTarget::kText, sn::kTextColourFrame},
      {ColourTarget::kBorder, sn::kBorderColourFrame}};
  for (const auto& [t, name] : frames) {
    if (auto* frame = controls_.FindAs<toolkit::Frame>(name)) frame->SetSelected(t == target);
  }
  if (picker_) picker_->SetColour(SwatchColour(SwatchOf(target)));
}

void SettingsPanel::Picked(std::uint32_t argb) {
  if (auto* s = controls_.FindAs<toolkit::ColourSwatch>(SwatchOf(target_))) s->SetColour(argb);
  if (target_ == ColourTarget::kText && events_.text_colour_picked) events_.text_colour_picked(argb);
  if (target_ == ColourTarget::kBorder && events_.border_colour_picked) events_.border_colour_picked(argb);
}

Appearance SettingsPanel::PageAppearance() const {
  Appearance a;
  a.background = SwatchColour(settings::kBackgroundSwatch);
  a.text = SwatchColour(settings::kTextColourSwatch);
  a.border = SwatchColour(settings::kBorderColourSwatch);
  const Control* radius = controls_.Find(settings::kCornerRadiusField);
  const Control* width = controls_.Find(settings::kBorderWidthField);
  a.corner_radius = radius ? LeadingInteger(radius->Text()) : 0;
  a.border_width = width ? LeadingInteger(width->Text()) : 0;
  return a;
}

}  // namespace velora::ui
