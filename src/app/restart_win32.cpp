#include "app/restart_win32.h"

#include <cwchar>
#include <filesystem>

#include "core/handles_win32.h"

namespace velora::app {
namespace {
constexpr wchar_t kAfterExitSwitch[] = L"--after-exit";
}

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring RestartCommandLine(const std::wstring& executable, HANDLE predecessor) {
  return L"\"" + executable + L"\" " + kAfterExitSwitch + L" " +
         std::to_wstring(reinterpret_cast<std::uintptr_t>(predecessor));
}

std::optional<HANDLE> PredecessorHandle(const std::wstring& command_line) {
  const std::size_t at = command_line.find(kAfterExitSwitch);
  if (at == std::wstring::npos) return std::nullopt;
  const wchar_t* digits = command_line.c_str() + at + std::wcslen(kAfterExitSwitch);
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(digits, &end, 10);
  if (end == digits || value == 0) return std::nullopt;
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

bool StartReplacementCopy() noexcept {
  HANDLE duplicate = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &duplicate, SYNCHRONIZE,
                       TRUE, 0)) {
    return false;
  }
  const core::UniqueHandle self(duplicate);
  const std::wstring executable = ExecutablePath();
  std::wstring command_line = RestartCommandLine(executable, self.get());
  const std::wstring directory = std::filesystem::path(executable).parent_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, directory.c_str(), &startup, &process);
  const core::UniqueHandle thread(process.hThread);
  const core::UniqueHandle child(process.hProcess);
  return started != FALSE;
}

void WaitForPredecessor(const std::wstring& command_line, DWORD limit_ms) noexcept {
  const std::optional<HANDLE> predecessor = PredecessorHandle(command_line);
  if (!predecessor) return;
  const core::UniqueHandle handle(*predecessor);
  WaitForSingleObject(handle.get(), limit_ms);
}

}  // namespace velora::app
