#pragma once
// Loading the settings at start-up and saving them on "保存", Exit and Restart: the keys of
// "初始化" and the state of every control of the launcher window, in a fixed order.
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "settings/control_state.h"
#include "settings/initial_settings.h"

namespace velora::settings {

// What loading needs of the launcher window and of the parts it drives.
class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;
  virtual ControlPort& Controls() = 0;
  // Registers the call-up hotkey from the selection of "下拉框_热键".
  virtual void RegisterHotkey() = 0;
  virtual bool AutostartExists() = 0;
  // Edge docking on or off; each also sets the two mouse call-up boxes.
  virtual void StartDocking() = 0;
  virtual void StopDocking() = 0;
  virtual void SetWindowSize(int width, int height) = 0;
  virtual void PaintBackground(const Appearance& appearance) = 0;
  virtual void SetSwatchColour(std::string_view swatch, std::uint32_t argb) = 0;
};

// The settings file in the data directory.
std::filesystem::path SettingsPath(const std::filesystem::path& data_directory);

// A missing or unreadable file loads as defaults. Start-up loads in two steps so the panel shows
// before its hidden parts are built: first the window's size and look from "初始化" (returned;
// the appearance reaches the window through PaintBackground)…
InitialSettings LoadInitialSettings(const std::filesystem::path& file, SettingsWindow& window,
                                    int default_window_width);
// …then, once the settings panel exists, every control's state and what follows from it (hotkey,
// autostart box, docking, the appearance fields and swatches of `look`).
void LoadControlStates(const std::filesystem::path& file, SettingsWindow& window, const Appearance& look);
// Both steps at once.
InitialSettings LoadSettings(const std::filesystem::path& file, SettingsWindow& window,
                             int default_window_width);

// `current` carries the window's present size. Lines of the file that the program does not
// write are kept; false when the file could not be replaced (the old one then stays whole).
[[nodiscard]] bool SaveSettings(const std::filesystem::path& file, const ControlPort& controls,
                                const InitialSettings& current);
// At the end of a resize.
[[nodiscard]] bool SaveWindowSize(const std::filesystem::path& file, int width, int height);

}  // namespace velora::settings
