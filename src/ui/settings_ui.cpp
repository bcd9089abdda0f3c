#include "ui/settings_ui.h"
#include "core/guarded.h"

#include <string>

#include <commctrl.h>

#include "settings/names.h"
#include "settings/settings.h"
#include "text/utf.h"
#include "toolkit/gdiplus.h"
#include "ui/backup_texts.h"
#include "ui/file_dialogs_win32.h"
#include "ui/launcher_names.h"
#include "ui/launcher_window.h"
#include "ui/layout.h"
#include "ui/settings_panel_names.h"
#include "ui/toast_texts.h"

namespace velora::ui {
namespace {
constexpr UINT_PTR kPageSubclass = 0x5e7;
}

SettingsUi::SettingsUi(HWND window, toolkit::ControlHost& controls, settings::OptionsHolder& options,
                       Feedback& feedback, SettingsActions actions)
    : window_(window),
      controls_(controls),
      options_(options),
      actions_(std::move(actions)),
      port_(controls),
      hotkey_(window),
      docking_(window),
      feedback_(feedback),
      panel_(controls, Events()) {}

SettingsUi::~SettingsUi() {
  for (HWND page : pages_) {
    if (IsWindow(page)) RemoveWindowSubclass(page, &SettingsUi::PageProcedure, kPageSubclass);
  }
}

void SettingsUi::Build() {
  // The panel's frame comes with the window's hidden parts, once the panel has shown.
  toolkit::Control* frame = controls_.Find(names::kSettingsPanel);
  if (built_ || !frame) return;
  built_ = true;
  panel_.Build();
  // The pages colour the text of their native controls as the port was told.
  for (std::string_view name :
       {settings_names::kOptionsPage, settings_names::kSkinPage, settings_names::kAboutPage}) {
    if (toolkit::Control* page = controls_.Find(name)) {
      pages_.push_back(page->hwnd());
      SetWindowSubclass(page->hwnd(), &SettingsUi::PageProcedure, kPageSubclass,
                        reinterpret_cast<DWORD_PTR>(this));
    }
  }
  RestoreStatesWithin(*frame);
  if (!settings_file_.empty()) ShowOptions();
  panel_.SetVersionCaption(version_caption_);
}

void SettingsUi::Toggle() {
  Build();
  panel_.Toggle();
}

void SettingsUi::LoadControlStates(const std::filesystem::path& settings_file) {
  settings_file_ = settings_file;
  settings::LoadControlStates(settings_file, port_);
}

void SettingsUi::RestoreStatesWithin(const toolkit::Control& part) {
  if (settings_file_.empty()) return;  // the first load, still to come, takes them
  port_.SetScope(&part);
  settings::LoadControlStates(settings_file_, port_);
  port_.SetScope(nullptr);
}

void SettingsUi::SetVersionCaption(std::string caption) {
  version_caption_ = std::move(caption);
  panel_.SetVersionCaption(version_caption_);
}

SettingsPanelEvents SettingsUi::Events() {
  SettingsPanelEvents e;
  e.box_ticked = [this](std::string_view box, bool checked) { BoxTicked(box, checked); };
  e.hotkey_chosen = [this](int index) { ChooseHotkey(index); };
  e.text_colour_picked = [this](std::uint32_t argb) {
    if (actions_.text_colour_picked) actions_.text_colour_picked(argb);
  };
  e.border_colour_picked = [this](std::uint32_t argb) {
    if (actions_.border_colour_picked) actions_.border_colour_picked(argb);
  };
  e.apply = [this] {
    if (actions_.apply) actions_.apply(panel_.PageAppearance());
  };
  e.save = [this] {
    if (actions_.save) actions_.save();
  };
  e.restart = [this] {
    if (actions_.restart) actions_.restart();
  };
  e.about_shown = [this] { RefreshBackups(); };
  e.restore_chosen = [this](int row) { RestoreChosen(row); };
  e.export_chosen = [this] { ExportChosen(); };
  e.import_chosen = [this] { ImportChosen(); };
  e.bookmarks_chosen = [this] {
    if (actions_.import_bookmarks) actions_.import_bookmarks();
  };
  return e;
}

void SettingsUi::BindOptions(const Appearance& look) {
  look_ = look;
  settings::Options loaded = options_.get();
  // The registry, not the file, says whether the program starts with Windows.
  loaded.autostart = actions_.autostart_exists && actions_.autostart_exists();
  settings::SetDocking(loaded, loaded.docking);
  options_.Observe(
      [this](const settings::Options& now, const settings::Options& before) { OptionsChanged(now, before); });
  options_.Set(loaded);
  RegisterHotkey();
  if (loaded.docking) {
    docking_.Start();
  } else {
    docking_.Stop();
  }
  if (built_) ShowOptions();
}

void SettingsUi::ShowOptions() {
  const settings::Options& now = options_.get();
  for (const settings::OptionBox& box : settings::OptionBoxes()) panel_.SetBox(box.name, now.*box.option);
  panel_.SelectHotkey(now.hotkey);
  if (hotkey_registered_) panel_.SetHotkeyResult(*hotkey_registered_);
  // The appearance values win over what the fields' own states said.
  port_.SetText(settings::kCornerRadiusField, std::to_string(look_.corner_radius));
  port_.SetText(settings::kBorderWidthField, std::to_string(look_.border_width));
  panel_.SetSwatchColour(settings::kBackgroundSwatch, look_.background);
  panel_.SetSwatchColour(settings::kTextColourSwatch, look_.text);
  panel_.SetSwatchColour(settings::kBorderColourSwatch, look_.border);
}

void SettingsUi::OptionsChanged(const settings::Options& now, const settings::Options& before) {
  for (const settings::OptionBox& box : settings::OptionBoxes()) {
    if (now.*box.option != before.*box.option) panel_.SetBox(box.name, now.*box.option);
  }
  if (now.hotkey != before.hotkey) panel_.SelectHotkey(now.hotkey);
  if (now.docking == before.docking) return;
  if (now.docking) {
    docking_.Start();
  } else {
    docking_.Stop();
  }
}

void SettingsUi::BoxTicked(std::string_view box, bool checked) {
  if (box == settings::kAutostartBox) return SwitchAutostart(checked);
  settings::Options changed = options_.get();
  settings::SetBox(changed, box, checked);
  options_.Set(changed);
}

void SettingsUi::RegisterHotkey() {
  // Nothing chosen yet: no key to register, and nothing failed.
  const int index = options_.get().hotkey;
  if (index < 0) return;
  if (!hotkey_.RegisterFunctionKey(index)) ShowHotkeyResult(false);
}

void SettingsUi::ShowHotkeyResult(bool registered) {
  hotkey_registered_ = registered;
  panel_.SetHotkeyResult(registered);
}

bool SettingsUi::ChooseDefaultHotkey() {
  // Keys that programs seldom use come first: a global hotkey takes its key from every program.
  // F1 (help), F5 (refresh) and F2 (rename) are left for last.
  constexpr int kOrder[] = {8, 7, 6, 11, 10, 9, 5, 3, 2, 4, 1, 0};  // F9, F8, F7, F12, …
  for (const int index : kOrder) {
    if (!hotkey_.RegisterFunctionKey(index)) continue;
    settings::Options chosen = options_.get();
    chosen.hotkey = index;
    options_.Set(chosen);
    ShowHotkeyResult(true);
    return true;
  }
  ShowHotkeyResult(false);
  return false;
}

void SettingsUi::RefreshBackups() {
  if (!actions_.list_backups) return;
  backups_ = actions_.list_backups();
  backups_listed_ = true;
  panel_.SetBackups(backups_);
}

void SettingsUi::BackupsChanged() {
  // Counting the items opens every backup: a list nobody has looked at waits for its page.
  if (backups_listed_) RefreshBackups();
}

void SettingsUi::RestoreChosen(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= backups_.size()) {
    feedback_.ShowToast(ToastKind::kFailed, kNoBackupChosen);
    return;
  }
  const BackupEntry chosen = backups_[row];
  const std::wstring question = text::Widen(RestoreQuestion(chosen.time, chosen.items));
  if (MessageBoxW(window_, question.c_str(), kLauncherTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
      IDYES)
    return;
  if (actions_.restore_backup) actions_.restore_backup(chosen.file);
  RefreshBackups();
}

void SettingsUi::ExportChosen() {
  if (!actions_.export_catalogue) return;
  if (const std::optional<std::filesystem::path> file = AskExportFile(window_))
    actions_.export_catalogue(*file);
}

void SettingsUi::ImportChosen() {
  if (!actions_.import_catalogue) return;
  const std::optional<std::filesystem::path> file = AskImportFile(window_);
  if (!file) return;
  const ImportChoice choice = AskMergeOrReplace(window_);
  if (choice == ImportChoice::kCancel) return;
  actions_.import_catalogue(*file, choice == ImportChoice::kReplace);
}

void SettingsUi::ChooseHotkey(int index) {
  settings::Options chosen = options_.get();
  chosen.hotkey = index;
  options_.Set(chosen);
  ShowHotkeyResult(hotkey_.RegisterFunctionKey(index));
}

void SettingsUi::SwitchAutostart(bool on) {
  if (!actions_.set_autostart) return;
  const settings::AutostartOutcome outcome = actions_.set_autostart(on);
  settings::Options switched = options_.get();
  switched.autostart = settings::AutostartChecked(outcome);
  options_.Set(switched);
  // The box shows what reads back, also when the option stays as it was.
  panel_.SetBox(settings::kAutostartBox, switched.autostart);
  const Toast toast = AutostartToast(outcome);
  feedback_.ShowToast(toast.kind, toast.text);
}

LRESULT CALLBACK SettingsUi::PageProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR data) noexcept {
  return core::Guarded(
      "settings page procedure",
      [&]() -> LRESULT {
        if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
            message == WM_CTLCOLORLISTBOX) {
          // The pages are white: so are the backgrounds of their native controls.
          const auto* self = reinterpret_cast<const SettingsUi*>(data);
          LRESULT brush = DefSubclassProc(hwnd, message, wparam, lparam);
          HDC dc = reinterpret_cast<HDC>(wparam);
          if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
            SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
            brush = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
          }
          if (const std::optional<std::uint32_t> colour =
                  self->port_.TextColourOf(reinterpret_cast<HWND>(lparam))) {
            SetTextColor(dc, toolkit::ToColorRef(*colour));
          }
          return brush;
        }
        return DefSubclassProc(hwnd, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(hwnd, message, wparam, lparam); });
}

}  // namespace velora::ui
