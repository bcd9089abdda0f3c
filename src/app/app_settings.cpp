// The App's share of the settings: the load step of start-up, the saves, and what the settings
// panel asks of the program (autostart, "应用", "保存", "重启").
#include "app/app.h"
#include "app/restart_win32.h"
#include "app/settings/autostart.h"
#include "app/settings/run_key_win32.h"
#include "app/settings/settings.h"
#include "store/groups.h"
#include "ui/settings_ui.h"

namespace velora::app {

void App::WireSettingsPanel() {
  ui::SettingsUi::Actions& a = launcher_.settings().actions;
  a.autostart_exists = [] {
    RegistryRunKey machine(RunKeyScope::kMachine);
    RegistryRunKey user(RunKeyScope::kUser);
    return AutostartExists({machine, user}, ExecutablePath());
  };
  a.set_autostart = [](bool on) {
    RegistryRunKey machine(RunKeyScope::kMachine);
    RegistryRunKey user(RunKeyScope::kUser);
    return SetAutostart({machine, user}, ExecutablePath(), on);
  };
  a.paint_background = [this](const ui::Appearance& look) { launcher_.ApplyAppearance(look); };
  a.border_colour_picked = [this](std::uint32_t argb) {
    // The border shows at once; a text colour picked but not yet applied stays as it is.
    state_.appearance.border = argb;
    const std::uint32_t text = launcher_.state().text_colour;
    launcher_.ApplyAppearance(state_.appearance);
    launcher_.state().text_colour = text;
  };
  a.apply = [this](const ui::Appearance& look) {
    state_.appearance = look;
    launcher_.ApplyAppearance(look);
    launcher_.FillCategoryBar(store::BuildCategoryList(state_.database));
    launcher_.RefreshGrid();
  };
  a.save = [this] { SaveAllSettings(); };
  a.restart = [this] { Restart(); };
}

void App::LoadInitialSettings() {
  WireSettingsPanel();
  const InitialSettings loaded =
      app::LoadInitialSettings(SettingsPath(state_.data_directory), launcher_.settings(), launcher_.state(),
                               state_.default_window_width);
  state_.appearance = loaded.appearance;
  state_.icons_per_page = loaded.icons_per_page;
  launcher_.SetCapacity(loaded.icons_per_page);
}

void App::LoadControlStates() {
  launcher_.settings().panel().SetVersionCaption(state_.version_caption);
  const std::filesystem::path file = SettingsPath(state_.data_directory);
  InitialSettings loaded;
  loaded.appearance = state_.appearance;
  app::LoadControlStates(file, launcher_.settings(), loaded);
  // Only from here on may a save write the controls' states: before, it would write defaults.
  state_.settings_file = file;
}

void App::SaveAllSettings() noexcept {
  if (state_.settings_file.empty() || !launcher_.hwnd()) return;
  const ui::Size size = launcher_.DesignSize();
  InitialSettings current;
  current.icons_per_page = state_.icons_per_page;
  current.window_width = size.width;
  current.window_height = size.height;
  current.appearance = state_.appearance;
  // A failed write keeps the old file whole; there is nobody to tell at exit.
  (void)SaveSettings(state_.settings_file, launcher_.settings().port(), current);
}

void App::OnResizeFinished(ui::Size design_size) {
  state_.icons_per_page = launcher_.capacity();
  if (!state_.settings_file.empty()) {
    (void)SaveWindowSize(state_.settings_file, design_size.width, design_size.height);
  }
}

}  // namespace velora::app
