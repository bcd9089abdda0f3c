#pragma once
// The built-in functions a function item runs: which one its code names, and the order of the
// action and of hiding the panel. The actions themselves are the effects' (the Win32 half).
#include <string>
#include <string_view>
#include <vector>

namespace velora::exec {

enum class BuiltinFunction {
  kNetworkConnections,
  kExternalAddress,
  kInternalAddresses,
  kShutdown,
  kRestart,
  kLogOff,
  kSwitchUser,
  kLockScreen,
  kTaskManager,
  kScreensaver,
  kPinOnTop,
  kNone,
};

// The first function whose code begins `code`, in the fixed table order; kNone for none.
BuiltinFunction FunctionOfCode(std::string_view code);

enum class ExitKind { kShutdown, kRestart, kLogOff };

class FunctionEffects {
 public:
  virtual ~FunctionEffects() = default;
  virtual void OpenNetworkConnections() = 0;
  // Both look up off the UI thread; the result goes on the clipboard and into a toast when it
  // arrives (the internal addresses only when there is at least one).
  virtual void LookUpExternalAddress() = 0;
  virtual void LookUpInternalAddresses() = 0;
  virtual void EndSession(ExitKind kind) = 0;
  virtual void LockWorkstation() = 0;
  virtual void StartTaskManager() = 0;
  virtual void StartScreensaver() = 0;
  // Pinning: the panel hides, a short pumping pause lets the window under the pointer surface,
  // its topmost state is toggled, and the panel comes back when held.
  virtual void HidePanel() = 0;
  virtual void Pause(int milliseconds) = 0;
  virtual void TogglePinAtPointer() = 0;
  virtual void ShowPanel() = 0;
};

inline constexpr int kPinPauseMs = 10;

void RunFunction(std::string_view code, bool held, FunctionEffects& effects);

// Internal addresses as one text, in the resolver's order, "/" between neighbours.
std::string JoinAddresses(const std::vector<std::string>& addresses);

}  // namespace velora::exec
