#pragma once
// Starting with Windows: a value in the machine-wide Run key named after the executable's file
// name, holding its full path. Most users may not write the machine's key (it needs an elevated
// program), so where it is refused the value goes into the user's own Run key instead. What the
// check box shows always comes from reading the keys back, never from the result of a write or a
// delete.
#include <filesystem>
#include <string>
#include <string_view>

namespace velora::settings {

// The Run key. Write failures are not reported: the caller reads the value back.
class RunKey {
 public:
  virtual ~RunKey() = default;
  virtual bool HasValue(std::string_view name) = 0;
  virtual void SetValue(std::string_view name, std::string_view data) = 0;
  virtual void DeleteValue(std::string_view name) = 0;
};

// What a switch left in the Run key, as read back; the window words it.
enum class AutostartOutcome {
  kOn,         // switched on, and the value is there
  kOnFailed,   // switched on, but no value reads back
  kOff,        // switched off, and the value is gone
  kOffFailed,  // switched off, but the value is still there
};

// Whether the value reads back after the switch: what the check box shows.
constexpr bool AutostartChecked(AutostartOutcome outcome) {
  return outcome == AutostartOutcome::kOn || outcome == AutostartOutcome::kOffFailed;
}

// Copies of the program with one file name share one value, wherever they live.
std::string AutostartValueName(const std::filesystem::path& executable);

// The machine's key is tried first; the user's key is the fallback.
struct RunKeys {
  RunKey& machine;
  RunKey& user;
};

// True when either key holds the value.
bool AutostartExists(RunKeys keys, const std::filesystem::path& executable);

// `on` is the check box's new state. Switching off removes the value from both keys.
AutostartOutcome SetAutostart(RunKeys keys, const std::filesystem::path& executable, bool on);

}  // namespace velora::settings
