#pragma once
// Everything the settings panel switches on the launcher window, in one owner: the panel, the
// control port the settings file is loaded and saved through, the call-up hotkey and edge docking.
// It is the window the settings load steps drive.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "settings/autostart.h"
#include "settings/settings.h"
#include "ui/docking_win32.h"
#include "ui/feedback.h"
#include "ui/hotkey_win32.h"
#include "ui/settings_panel.h"
#include "ui/settings_ports_win32.h"

namespace velora::ui {

class SettingsUi final : public settings::SettingsWindow {
 public:
  // What only the program can do.
  struct Actions {
    std::function<bool()> autostart_exists;
    std::function<settings::AutostartOutcome(bool on)> set_autostart;
    std::function<void(const Appearance&)> paint_background;
    std::function<void(std::uint32_t argb)> border_colour_picked;
    std::function<void(const Appearance&)> apply;
    std::function<void()> save;
    std::function<void()> restart;
    // The backups newest first, and the restore of one of them (which reports and reloads).
    std::function<std::vector<BackupEntry>()> list_backups;
    std::function<void(const std::filesystem::path& backup)> restore_backup;
  };

  SettingsUi(HWND window, toolkit::ControlHost& controls, WindowState& state, Feedback& feedback);
  ~SettingsUi() override;
  SettingsUi(const SettingsUi&) = delete;
  SettingsUi& operator=(const SettingsUi&) = delete;

  // Fills the settings panel; call once the launcher window's controls exist.
  void Build();
  Actions actions;

  SettingsPanel& panel() { return panel_; }
  WindowControls& port() { return port_; }
  int hotkey_id() const { return hotkey_.id(); }
  // A first run has no key chosen yet: takes the first function key of a sensible order that
  // the system gives, shows it chosen and registered. False when every one is held elsewhere.
  bool ChooseDefaultHotkey();
  bool docking() const { return docking_.running(); }

  // The backups changed: a list the user has seen is read again.
  void BackupsChanged();

  // settings::SettingsWindow
  settings::ControlPort& Controls() override { return port_; }
  void RegisterHotkey() override;
  bool AutostartExists() override;
  void StartDocking() override;
  void StopDocking() override;
  void SetWindowSize(int width, int height) override;
  void PaintBackground(const Appearance& appearance) override;
  void SetSwatchColour(std::string_view swatch, std::uint32_t argb) override;

 private:
  static LRESULT CALLBACK PageProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR data) noexcept;
  SettingsPanelEvents Events();
  void ChooseHotkey(int index);
  void SwitchAutostart(bool on);
  void RefreshBackups();
  void RestoreChosen(int row);

  HWND window_;
  toolkit::ControlHost& controls_;
  WindowState& state_;
  WindowControls port_;
  WindowHotkey hotkey_;
  DockingDriver docking_;
  Feedback& feedback_;
  SettingsPanel panel_;
  std::vector<HWND> pages_;
  std::vector<BackupEntry> backups_;  // as the about page lists them
  bool backups_listed_ = false;
};

}  // namespace velora::ui
