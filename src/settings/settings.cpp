#include "settings/settings.h"

#include <string>
#include <system_error>

#include "settings/atomic_file.h"
#include "settings/names.h"
#include "text/fs_path.h"

namespace velora::settings {
namespace {

constexpr ControlType kRestoreOrder[] = {ControlType::kEdit, ControlType::kCombo, ControlType::kCheck};

IniDocument ReadOrEmpty(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadFileBytes(file);
  return bytes ? IniDocument::Parse(*bytes) : IniDocument{};
}

// An existing file that cannot be read is not replaced: what it holds beyond the program's own
// keys would be lost.
template <typename Change>
bool Rewrite(const std::filesystem::path& file, Change change) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  IniDocument doc;
  if (std::filesystem::exists(file, ec)) {
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return false;
    doc = IniDocument::Parse(*bytes);
  }
  change(doc);
  return WriteFileAtomically(file, doc.Serialize());
}

}  // namespace

std::filesystem::path SettingsPath(const std::filesystem::path& data_directory) {
  return data_directory / text::PathFromUtf8(kSettingsFileName);
}

InitialSettings LoadInitialSettings(const std::filesystem::path& file, SettingsWindow& window,
                                    int default_window_width) {
  InitialSettings settings = ReadInitialSettings(ReadOrEmpty(file), default_window_width);
  window.SetWindowSize(settings.window_width, settings.window_height);
  window.PaintBackground(settings.appearance);
  return settings;
}

void LoadControlStates(const std::filesystem::path& file, SettingsWindow& window, const Appearance& look) {
  const IniDocument doc = ReadOrEmpty(file);
  ControlPort& controls = window.Controls();
  for (ControlType type : kRestoreOrder) RestoreControlStates(doc, controls, type);

  window.RegisterHotkey();
  // The registry, not the file, says whether the program starts with Windows.
  controls.SetChecked(kAutostartBox, window.AutostartExists());
  if (controls.Checked(kDockingBox)) {
    window.StartDocking();
  } else {
    window.StopDocking();
  }

  // The appearance values win over what the fields' own states said.
  controls.SetText(kCornerRadiusField, std::to_string(look.corner_radius));
  controls.SetText(kBorderWidthField, std::to_string(look.border_width));
  window.SetSwatchColour(kBackgroundSwatch, look.background);
  window.SetSwatchColour(kTextColourSwatch, look.text);
  window.SetSwatchColour(kBorderColourSwatch, look.border);
}

InitialSettings LoadSettings(const std::filesystem::path& file, SettingsWindow& window,
                             int default_window_width) {
  InitialSettings settings = LoadInitialSettings(file, window, default_window_width);
  LoadControlStates(file, window, settings.appearance);
  return settings;
}

bool SaveSettings(const std::filesystem::path& file, const ControlPort& controls,
                  const InitialSettings& current) {
  return Rewrite(file, [&](IniDocument& doc) {
    WriteInitialSettings(doc, current);
    for (ControlType type : kRestoreOrder) SaveControlStates(doc, controls, type);
  });
}

bool SaveWindowSize(const std::filesystem::path& file, int width, int height) {
  return Rewrite(file, [&](IniDocument& doc) { WriteWindowSize(doc, width, height); });
}

}  // namespace velora::settings
