#include "settings/run_key_win32.h"

#include <windows.h>

#include <string>

#include "text/utf.h"

namespace velora::settings {
namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegKey {
 public:
  explicit RegKey(RunKeyScope scope)
      : root_(scope == RunKeyScope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER) {}
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  [[nodiscard]] bool Open(REGSAM access) {
    return RegOpenKeyExW(root_, kRunKeyPath, 0, access, &key_) == ERROR_SUCCESS;
  }
  // Opens the key, creating it when it is missing.
  [[nodiscard]] bool OpenForWriting() {
    return RegCreateKeyExW(root_, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                           &key_, nullptr) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

 private:
  HKEY root_;
  HKEY key_ = nullptr;
};

}  // namespace

bool RegistryRunKey::HasValue(std::string_view name) {
  RegKey key(scope_);
  return key.Open(KEY_READ) && RegQueryValueExW(key.get(), text::Widen(name).c_str(), nullptr, nullptr,
                                                nullptr, nullptr) == ERROR_SUCCESS;
}

void RegistryRunKey::SetValue(std::string_view name, std::string_view data) {
  RegKey key(scope_);
  if (!key.OpenForWriting()) return;
  const std::wstring wide = text::Widen(data);
  const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));  // with the terminating zero
  (void)RegSetValueExW(key.get(), text::Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wide.c_str()), bytes);
}

void RegistryRunKey::DeleteValue(std::string_view name) {
  RegKey key(scope_);
  if (key.Open(KEY_SET_VALUE)) (void)RegDeleteValueW(key.get(), text::Widen(name).c_str());
}

}  // namespace velora::settings
