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

Options LoadOptions(const std::filesystem::path& file, int default_window_width) {
  return ReadOptions(ReadOrEmpty(file), default_window_width);
}

void LoadControlStates(const std::filesystem::path& file, ControlPort& controls) {
  const IniDocument doc = ReadOrEmpty(file);
  for (ControlType type : kRestoreOrder) RestoreControlStates(doc, controls, type);
}

bool SaveSettings(const std::filesystem::path& file, const Options& options, const ControlPort& controls) {
  return Rewrite(file, [&](IniDocument& doc) {
    // A new file takes the order the program always wrote: "初始化" first, then each control
    // section, where the settings panel's controls come after the other panels' fields.
    WriteInitialSettings(doc, options);
    for (ControlType type : kRestoreOrder) SaveControlStates(doc, controls, type, OptionControlNames());
    WriteOptions(doc, options);
  });
}

bool SaveWindowSize(const std::filesystem::path& file, int width, int height) {
  return Rewrite(file, [&](IniDocument& doc) { WriteWindowSize(doc, width, height); });
}

}  // namespace velora::settings
