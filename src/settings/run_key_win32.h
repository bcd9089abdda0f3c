#pragma once
// The registry's Run key, HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, in
// the registry view Windows gives this process.
#include "settings/autostart.h"

namespace velora::settings {

class RegistryRunKey final : public RunKey {
 public:
  bool HasValue(std::string_view name) override;
  void SetValue(std::string_view name, std::string_view data) override;
  void DeleteValue(std::string_view name) override;
};

}  // namespace velora::settings
