// The App's share of the settings: the load step of start-up, the saves, and what the settings
// panel asks of the program (autostart, "应用", "保存", "重启").
#include "app/app.h"
#include "app/restart_win32.h"
#include "settings/autostart.h"
#include "settings/run_key_win32.h"
#include "settings/settings.h"
#include "store/groups.h"
#include "ui/settings_ui.h"

namespace velora::app {

void App::WireSettingsPanel() {
  ui::SettingsUi::Actions& a = launcher_.settings().actions;
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
    launcher_.ShowBorderColour(argb);
  };
  a.apply = [this](const ui::Appearance& look) {
    settings::Options applied = options_.get();
    applied.appearance = look;
    options_.Set(applied);
    launcher_.ApplyAppearance(look);
    launcher_.FillCategoryBar(store::BuildCategoryList(store_.database()));
    launcher_.RefreshGrid();
  };
  a.save = [this] { SaveAllSettings(); };
  a.restart = [this] { Restart(); };
  WireBackups();
}

void App::LoadOptions() {
  options_.Set(
      settings::LoadOptions(settings::SettingsPath(state_.data_directory), state_.default_window_width));
  state_.external_address_host = options_.get().external_address_host;
}

void App::LoadControlStates() {
  launcher_.settings().panel().SetVersionCaption(state_.version_caption);
  const std::filesystem::path file = settings::SettingsPath(state_.data_directory);
  std::error_code error;
  const bool first_run = !std::filesystem::exists(file, error) && !error;
  settings::LoadControlStates(file, launcher_.settings().port());
  launcher_.settings().BindOptions(options_.get().appearance);
  // Only from here on may a save write the controls' states: before, it would write defaults.
  state_.settings_file = file;
  // A fresh install is reachable at once: a function key is chosen for it and kept.
  if (first_run && launcher_.settings().ChooseDefaultHotkey()) SaveAllSettings();
}

void App::SaveAllSettings() noexcept {
  if (state_.settings_file.empty() || !launcher_.hwnd()) return;
  // The window's size and page size are its own until they are saved.
  const ui::Size size = launcher_.DesignSize();
  settings::Options current = options_.get();
  current.icons_per_page = launcher_.capacity();
  current.window_width = size.width;
  current.window_height = size.height;
  // A failed write keeps the old file whole; there is nobody to tell at exit.
  (void)settings::SaveSettings(state_.settings_file, current, launcher_.settings().port());
}

void App::OnResizeFinished(ui::Size design_size) {
  if (!state_.settings_file.empty()) {
    (void)settings::SaveWindowSize(state_.settings_file, design_size.width, design_size.height);
  }
}

}  // namespace velora::app
