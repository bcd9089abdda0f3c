#pragma once
// Starting with Windows: a value in the machine-wide Run key named after the executable's file
// name, holding its full path. What the check box shows always comes from reading the value
// back, never from the result of the write or the delete.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/toast_kind.h"

namespace velora::app {

inline constexpr std::string_view kAutostartOnDone = "开机启动设置成功";
inline constexpr std::string_view kAutostartOnFailed = "开机启动设置失败";
inline constexpr std::string_view kAutostartOffFailed = "开机启动取消失败";
inline constexpr std::string_view kAutostartOffDone = "开机启动取消完成";

// The Run key. Write failures are not reported: the caller reads the value back.
class RunKey {
 public:
  virtual ~RunKey() = default;
  virtual bool HasValue(std::string_view name) = 0;
  virtual void SetValue(std::string_view name, std::string_view data) = 0;
  virtual void DeleteValue(std::string_view name) = 0;
};

struct AutostartOutcome {
  bool checked;
  core::ToastKind kind;
  std::string_view toast;

  bool operator==(const AutostartOutcome&) const = default;
};

// Copies of the program with one file name share one value, wherever they live.
std::string AutostartValueName(const std::filesystem::path& executable);

bool AutostartExists(RunKey& run_key, const std::filesystem::path& executable);

// `on` is the check box's new state.
AutostartOutcome SetAutostart(RunKey& run_key, const std::filesystem::path& executable, bool on);

}  // namespace velora::app
