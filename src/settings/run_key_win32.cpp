#include "settings/run_key_win32.h"

#include <windows.h>

#include <string>

#include "core/handles_win32.h"
#include "text/utf.h"

namespace velora::settings {
namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY Root(RunKeyScope scope) {
  return scope == RunKeyScope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

core::UniqueKey OpenRunKey(RunKeyScope scope, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(Root(scope), kRunKeyPath, 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return core::UniqueKey(key);
}

// Opens the key, creating it when it is missing.
core::UniqueKey CreateRunKey(RunKeyScope scope) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(Root(scope), kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return core::UniqueKey(key);
}

}  // namespace

bool RegistryRunKey::HasValue(std::string_view name) {
  const core::UniqueKey key = OpenRunKey(scope_, KEY_READ);
  return key && RegQueryValueExW(key.get(), text::Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS;
}

void RegistryRunKey::SetValue(std::string_view name, std::string_view data) {
  const core::UniqueKey key = CreateRunKey(scope_);
  if (!key) return;
  const std::wstring wide = text::Widen(data);
  const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));  // with the terminating zero
  (void)RegSetValueExW(key.get(), text::Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wide.c_str()), bytes);
}

void RegistryRunKey::DeleteValue(std::string_view name) {
  if (const core::UniqueKey key = OpenRunKey(scope_, KEY_SET_VALUE))
    (void)RegDeleteValueW(key.get(), text::Widen(name).c_str());
}

}  // namespace velora::settings
