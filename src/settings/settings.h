#pragma once
// Loading the settings at start-up and saving them on "保存", Exit and Restart: the options and
// the state of every other control of the launcher window, in a fixed order.
#include <filesystem>

#include "settings/control_state.h"
#include "settings/options.h"

namespace velora::settings {

// The settings file in the data directory.
std::filesystem::path SettingsPath(const std::filesystem::path& data_directory);

// A missing or unreadable file loads as defaults. Start-up loads in two steps so the panel shows
// before its hidden parts are built: first the options…
Options LoadOptions(const std::filesystem::path& file, int default_window_width);
// …then, once the settings panel exists, every control's state as stored (the options' own
// controls too; the panel then shows the options over them).
void LoadControlStates(const std::filesystem::path& file, ControlPort& controls);

// The options, then the state of every other control. Lines of the file that the program does
// not write are kept; false when the file could not be replaced (the old one then stays whole).
[[nodiscard]] bool SaveSettings(const std::filesystem::path& file, const Options& options,
                                const ControlPort& controls);
// At the end of a resize.
[[nodiscard]] bool SaveWindowSize(const std::filesystem::path& file, int width, int height);

}  // namespace velora::settings
