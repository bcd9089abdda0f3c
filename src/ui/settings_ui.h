#pragma once
// Everything the settings panel switches on the launcher window, in one owner: the panel and its
// binding to the options, the control port the settings file is loaded and saved through, the
// call-up hotkey and edge docking.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/options.h"
#include "ui/docking_win32.h"
#include "ui/feedback.h"
#include "ui/hotkey_win32.h"
#include "ui/settings_actions.h"
#include "ui/settings_panel.h"
#include "ui/settings_ports_win32.h"

namespace velora::ui {

class SettingsUi final {
 public:
  SettingsUi(HWND window, toolkit::ControlHost& controls, settings::OptionsHolder& options,
             Feedback& feedback, SettingsActions actions);
  ~SettingsUi();
  SettingsUi(const SettingsUi&) = delete;
  SettingsUi& operator=(const SettingsUi&) = delete;

  // Fills the settings panel at its first need (a panel nobody opens costs neither its controls
  // nor their fonts): the states the settings file holds for its controls go in, and the
  // options and the skin page's values are shown. Later calls, and calls before the panel's frame
  // exists, do nothing.
  void Build();
  // Shows or hides the panel, filling it first.
  void Toggle();
  // The settings file's states go into the controls that exist now; a part built later takes
  // its own from the same file (RestoreStatesWithin).
  void LoadControlStates(const std::filesystem::path& settings_file);
  void RestoreStatesWithin(const toolkit::Control& part);
  // Once the controls' stored states are restored: the panel shows the options and follows
  // them from now on, the user's changes go into them, and the hotkey, autostart (as the Run key
  // says), docking and the skin page's values (`look`) take effect.
  void BindOptions(const Appearance& look);
  void SetVersionCaption(std::string caption);

  SettingsPanel& panel() { return panel_; }
  WindowControls& port() { return port_; }
  int hotkey_id() const { return hotkey_.id(); }
  // A first run has no key chosen yet: takes the first function key of a sensible order that
  // the system gives, shows it chosen and registered. False when every one is held elsewhere.
  bool ChooseDefaultHotkey();
  bool docking() const { return docking_.running(); }

  // The backups changed: a list the user has seen is read again.
  void BackupsChanged();

 private:
  static LRESULT CALLBACK PageProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR data) noexcept;
  SettingsPanelEvents Events();
  // What the built panel shows of the options, the skin and the hotkey's registration.
  void ShowOptions();
  void OptionsChanged(const settings::Options& now, const settings::Options& before);
  void BoxTicked(std::string_view box, bool checked);
  void RegisterHotkey();
  // What the panel's label says of the key, also when the panel is built later.
  void ShowHotkeyResult(bool registered);
  void ChooseHotkey(int index);
  void SwitchAutostart(bool on);
  void RefreshBackups();
  void RestoreChosen(int row);
  void ExportChosen();
  void ImportChosen();

  HWND window_;
  toolkit::ControlHost& controls_;
  settings::OptionsHolder& options_;
  SettingsActions actions_;
  WindowControls port_;
  WindowHotkey hotkey_;
  DockingDriver docking_;
  Feedback& feedback_;
  SettingsPanel panel_;
  std::vector<HWND> pages_;
  std::vector<BackupEntry> backups_;  // as the about page lists them
  bool backups_listed_ = false;
  bool built_ = false;
  std::filesystem::path settings_file_;  // empty until the states were first loaded
  Appearance look_;
  std::optional<bool> hotkey_registered_;  // unknown until a key was tried
  std::string version_caption_;
};

}  // namespace velora::ui
