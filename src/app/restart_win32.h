#pragma once
// Restart hands over to a new copy started by its full path. The new copy waits for this
// process to end before its single-instance test, so it never meets the old window or event.
#include <windows.h>

#include <optional>
#include <string>

namespace velora::app {

std::wstring ExecutablePath();

// The command line of the new copy: the quoted executable and the predecessor's handle.
std::wstring RestartCommandLine(const std::wstring& executable, HANDLE predecessor);
// The predecessor's handle named on a command line, if any.
std::optional<HANDLE> PredecessorHandle(const std::wstring& command_line);

// Starts the new copy with an inherited handle to this process; false when it could not start.
[[nodiscard]] bool StartReplacementCopy() noexcept;
// Waits (at most `limit_ms`) for the process named by the command line to end.
void WaitForPredecessor(const std::wstring& command_line, DWORD limit_ms = 30000) noexcept;

}  // namespace velora::app
