#pragma once
// The registry's Run key, SOFTWARE\Microsoft\Windows\CurrentVersion\Run, of the local machine
// or of the current user, in the registry view Windows gives this process.
#include "settings/autostart.h"

namespace velora::settings {

enum class RunKeyScope { kMachine, kUser };

class RegistryRunKey final : public RunKey {
 public:
  explicit RegistryRunKey(RunKeyScope scope) : scope_(scope) {}

  bool HasValue(std::string_view name) override;
  void SetValue(std::string_view name, std::string_view data) override;
  void DeleteValue(std::string_view name) override;

 private:
  RunKeyScope scope_;
};

}  // namespace velora::settings
