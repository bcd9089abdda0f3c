#include "settings/autostart.h"

#include "text/fs_path.h"

namespace velora::settings {

std::string AutostartValueName(const std::filesystem::path& executable) {
  return text::PathToUtf8(executable.filename());
}

namespace {

bool HasValue(RunKeys keys, const std::string& name) {
  return keys.machine.HasValue(name) || keys.user.HasValue(name);
}

}  // namespace

bool AutostartExists(RunKeys keys, const std::filesystem::path& executable) {
  return HasValue(keys, AutostartValueName(executable));
}

AutostartOutcome SetAutostart(RunKeys keys, const std::filesystem::path& executable, bool on) {
  const std::string name = AutostartValueName(executable);
  if (on) {
    // The full path, without quotes or arguments, in the system's own separators.
    const std::string data = text::PathToUtf8(std::filesystem::path(executable).make_preferred());
    keys.machine.SetValue(name, data);
    if (!keys.machine.HasValue(name)) keys.user.SetValue(name, data);
    return HasValue(keys, name) ? AutostartOutcome::kOn : AutostartOutcome::kOnFailed;
  }
  keys.machine.DeleteValue(name);
  keys.user.DeleteValue(name);
  return HasValue(keys, name) ? AutostartOutcome::kOffFailed : AutostartOutcome::kOff;
}

}  // namespace velora::settings
