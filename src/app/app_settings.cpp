// The App's share of the settings: the load step of start-up, the saves, and what the settings
// panel asks of the program (autostart, "应用", "保存", "重启").
#include "app/app.h"
#include "app/restart_win32.h"
#include "settings/autostart.h"
#include "settings/run_key_win32.h"
#include "settings/settings.h"
#include "store/groups.h"

namespace velora::app {

ui::SettingsActions App::BuildSettingsActions() {
  ui::SettingsActions a;
  a.autostart_exists = [] {
    settings::RegistryRunKey machine(settings::RunKeyScope::kMachine);
    settings::RegistryRunKey user(settings::RunKeyScope::kUser);
    return settings::AutostartExists({machine, user}, ExecutablePath());
  };
  a.set_autostart = [](bool on) {
    settings::RegistryRunKey machine(settings::RunKeyScope::kMachine);
    settings::RegistryRunKey user(settings::RunKeyScope::kUser);
    return settings::SetAutostart({machine, user}, ExecutablePath(), on);
  };
  // A picked border colour shows at once and is kept, "应用" or not.
  a.border_colour_picked = [this](std::uint32_t argb) {
    settings::Options picked = options_.get();
    picked.appearance.border = argb;
    options_.Set(picked);
    launcher_->ShowBorderColour(argb);
  };
  a.apply = [this](const ui::Appearance& look) {
    settings::Options applied = options_.get();
    applied.appearance = look;
    options_.Set(applied);
    launcher_->ApplyAppearance(look);
    launcher_->FillCategoryBar(store::BuildCategoryList(store_.database()));
    launcher_->RefreshGrid();
  };
  a.save = [this] { SaveAllSettings(); };
  a.restart = [this] { Restart(); };
  AddBackupActions(a);
  AddTransferActions(a);
  return a;
}

void App::LoadOptions() {
  options_.Set(settings::LoadOptions(settings::SettingsPath(data_directory_), ui::kLauncherWidth));
}

void App::LoadControlStates() {
  const std::filesystem::path file = settings::SettingsPath(data_directory_);
  std::error_code error;
  const bool first_run = !std::filesystem::exists(file, error) && !error;
  launcher_->LoadControlStates(file);
  // Only from here on may a save write the controls' states: before, it would write defaults.
  settings_file_ = file;
  // A fresh install is reachable at once: a function key is chosen for it and kept.
  if (first_run && launcher_->ChooseDefaultHotkey()) SaveAllSettings();
}

void App::SaveAllSettings() noexcept {
  if (settings_file_.empty() || !launcher_ || !launcher_->hwnd()) return;
  // The window's size and page size are its own until they are saved.
  const ui::Size size = launcher_->DesignSize();
  settings::Options current = options_.get();
  current.icons_per_page = launcher_->capacity();
  current.window_width = size.width;
  current.window_height = size.height;
  // A failed write keeps the old file whole; there is nobody to tell at exit.
  (void)launcher_->SaveSettings(settings_file_, current);
}

void App::OnResizeFinished(ui::Size design_size) {
  if (!settings_file_.empty()) {
    (void)settings::SaveWindowSize(settings_file_, design_size.width, design_size.height);
  }
}

}  // namespace velora::app
