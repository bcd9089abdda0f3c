#include "exec/functions.h"

#include <array>
#include <utility>

namespace velora::exec {
namespace {

// The dispatcher's table, in the order the codes are tried.
constexpr std::array<std::pair<std::string_view, BuiltinFunction>, 11> kFunctions{{
    {"功能网络连接", BuiltinFunction::kNetworkConnections},
    {"功能取外网IP", BuiltinFunction::kExternalAddress},
    {"功能取内网IP", BuiltinFunction::kInternalAddresses},
    {"功能强制关机", BuiltinFunction::kShutdown},
    {"功能强制重启", BuiltinFunction::kRestart},
    {"功能强制注销", BuiltinFunction::kLogOff},
    {"功能切换用户", BuiltinFunction::kSwitchUser},
    {"功能锁定屏幕", BuiltinFunction::kLockScreen},
    {"功能任务管理", BuiltinFunction::kTaskManager},
    {"功能时钟屏保", BuiltinFunction::kScreensaver},
    {"功能置顶窗口", BuiltinFunction::kPinOnTop},
}};

}  // namespace

BuiltinFunction FunctionOfCode(std::string_view code) {
  for (const auto& [prefix, function] : kFunctions) {
    if (code.starts_with(prefix)) return function;
  }
  return BuiltinFunction::kNone;
}

void RunFunction(std::string_view code, bool held, FunctionEffects& effects) {
  const BuiltinFunction function = FunctionOfCode(code);
  switch (function) {
    case BuiltinFunction::kNetworkConnections:
      effects.OpenNetworkConnections();
      break;
    case BuiltinFunction::kExternalAddress:
      effects.LookUpExternalAddress();
      break;
    case BuiltinFunction::kInternalAddresses:
      effects.LookUpInternalAddresses();
      break;
    case BuiltinFunction::kShutdown:
      effects.EndSession(ExitKind::kShutdown);
      break;
    case BuiltinFunction::kRestart:
      effects.EndSession(ExitKind::kRestart);
      break;
    case BuiltinFunction::kLogOff:
      effects.EndSession(ExitKind::kLogOff);
      break;
    case BuiltinFunction::kSwitchUser:
    case BuiltinFunction::kLockScreen:
      effects.LockWorkstation();
      break;
    case BuiltinFunction::kTaskManager:
      effects.StartTaskManager();
      break;
    case BuiltinFunction::kScreensaver:
      effects.StartScreensaver();
      break;
    case BuiltinFunction::kPinOnTop:
      effects.HidePanel();
      effects.Pause(kPinPauseMs);
      effects.TogglePinAtPointer();
      if (held) effects.ShowPanel();
      break;
    case BuiltinFunction::kNone:
      break;
  }
  // The address lookups keep the panel up: their toast shows there when the answer arrives.
  const bool lookup =
      function == BuiltinFunction::kExternalAddress || function == BuiltinFunction::kInternalAddresses;
  if (!held && !lookup) effects.HidePanel();
}

std::string JoinAddresses(const std::vector<std::string>& addresses) {
  std::string joined;
  for (const std::string& address : addresses) {
    if (!joined.empty()) joined += '/';
    joined += address;
  }
  return joined;
}

}  // namespace velora::exec
