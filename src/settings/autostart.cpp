#include "settings/autostart.h"

#include "text/fs_path.h"

namespace velora::settings {

std::string AutostartValueName(const std::filesystem::path& executable) {
  return text::PathToUtf8(executable.filename());
}

bool AutostartExists(RunKey& run_key, const std::filesystem::path& executable) {
  return run_key.HasValue(AutostartValueName(executable));
}

AutostartOutcome SetAutostart(RunKey& run_key, const std::filesystem::path& executable, bool on) {
  const std::string name = AutostartValueName(executable);
  if (on) {
    // The full path, without quotes or arguments, in the system's own separators.
    run_key.SetValue(name, text::PathToUtf8(std::filesystem::path(executable).make_preferred()));
    return run_key.HasValue(name) ? AutostartOutcome::kOn : AutostartOutcome::kOnFailed;
  }
  run_key.DeleteValue(name);
  return run_key.HasValue(name) ? AutostartOutcome::kOffFailed : AutostartOutcome::kOff;
}

}  // namespace velora::settings
