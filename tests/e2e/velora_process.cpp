#include "e2e/velora_process.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "e2e/desktop_input.h"

namespace velora::e2e {

std::optional<FILETIME> FileWriteTime(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data.ftLastWriteTime;
}

std::filesystem::path BuildTreePath(std::string path) {
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return std::filesystem::path(path);
}

std::filesystem::path BuiltExecutable() { return BuildTreePath(VELORA_EXE); }
std::filesystem::path EmbeddedScreensaver() { return BuildTreePath(VELORA_FLIPIT_EMBEDDED); }
std::filesystem::path ScreenshotFolder() { return BuildTreePath(VELORA_SCREENSHOTS); }

VeloraProcess::VeloraProcess(const std::filesystem::path& exe, std::wstring_view arguments) {
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) command += L" " + std::wstring(arguments);
  const std::wstring directory = std::filesystem::temp_directory_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // On a busy machine Wine now and then refuses a start while it sets the new process up; a later
  // try starts it. Each refusal is printed, and a program that cannot start fails every try.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                       &startup, &process_)) {
      return;
    }
    std::fprintf(stderr, "could not start %ls (try %d of 3): error %lu\n", exe.c_str(), attempt,
                 GetLastError());
    process_ = {};
    Sleep(500);
  }
}

VeloraProcess::~VeloraProcess() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND VeloraProcess::WaitForWindow(DWORD limit_ms) const {
  const ULONGLONG until = GetTickCount64() + limit_ms;
  do {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Velora", L"Velora")) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == process_.dwProcessId) return w;
    }
    if (WaitForSingleObject(process_.hProcess, 20) != WAIT_TIMEOUT) return nullptr;
  } while (GetTickCount64() < until);
  return nullptr;
}

HWND VeloraProcess::WaitUntilReady(DWORD limit_ms) const {
  const ULONGLONG until = GetTickCount64() + limit_ms;
  HWND window = WaitForWindow(limit_ms);
  // The tip window is the last part start-up makes, after the hotkey is registered and every
  // control's state is restored.
  const auto tips_made = [&] {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"VeloraTip", nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == process_.dwProcessId) return true;
    }
    return false;
  };
  const auto ready = [&] { return IsWindowVisible(window) && tips_made(); };
  if (!window || !WaitUntil(ready, static_cast<DWORD>(until - std::min(until, GetTickCount64()))))
    return nullptr;
  return window;
}

std::optional<DWORD> VeloraProcess::WaitForExit(DWORD limit_ms) const {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, limit_ms) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::optional<DWORD> VeloraProcess::Close() {
  if (HWND window = WaitForWindow(1000)) PostMessageW(window, WM_CLOSE, 0, 0);
  return WaitForExit();
}

bool VeloraProcess::Kill() {
  if (!process_.hProcess) return false;
  TerminateProcess(process_.hProcess, 1);
  return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
}

}  // namespace velora::e2e
