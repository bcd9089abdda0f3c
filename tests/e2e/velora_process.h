#pragma once
// Drives a copy of Velora.exe from outside: a private folder, the process, its window.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "support/temp_folder.h"

namespace velora::e2e {

// Polls `condition` until it holds or `limit_ms` have passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD limit_ms = 5000) {
  const ULONGLONG until = GetTickCount64() + limit_ms;
  while (!condition()) {
    if (GetTickCount64() >= until) return false;
    Sleep(20);
  }
  return true;
}

// A file's last write time, looked up without opening it: a reader's handle would make the
// program's rename over the file fail. Empty when there is no such file.
std::optional<FILETIME> FileWriteTime(const std::filesystem::path& path);

// A path of the build tree, given as the build sees it: Unix paths appear on Wine's drive Z:.
std::filesystem::path BuildTreePath(std::string path);
// The built Velora.exe as a Windows path (the build tree is seen through Wine's Z: drive).
std::filesystem::path BuiltExecutable();
// The screensaver as Velora.exe carries it.
std::filesystem::path EmbeddedScreensaver();
// Where the end-to-end tests leave their screenshots, in the build tree.
std::filesystem::path ScreenshotFolder();

class VeloraProcess {
 public:
  // Starts `exe` with `arguments` from another working folder, so nothing relies on the
  // current directory.
  explicit VeloraProcess(const std::filesystem::path& exe, std::wstring_view arguments = {});
  ~VeloraProcess();
  VeloraProcess(const VeloraProcess&) = delete;
  VeloraProcess& operator=(const VeloraProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  DWORD id() const { return process_.dwProcessId; }
  // The process's top-level window of class and title "Velora", waited for up to `limit_ms`.
  HWND WaitForWindow(DWORD limit_ms = 15000) const;
  // The window once shown and its start-up finished: the parts built after the first look (the
  // settings panel, the hotkey, the tip window) exist, so a click or the hotkey now reaches them. Null when
  // that takes longer than `limit_ms`.
  HWND WaitUntilReady(DWORD limit_ms = 30000) const;
  // The exit code once the process has ended within `limit_ms`.
  std::optional<DWORD> WaitForExit(DWORD limit_ms = 15000) const;
  // Closes the window as a user would and waits for the process to end.
  std::optional<DWORD> Close();
  // Ends the process at once, as a power cut or the task manager would, and waits until it has.
  bool Kill();

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace velora::e2e
