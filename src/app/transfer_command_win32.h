#pragma once
// The command line's export and import: handed to the copy running from the same folder, or done
// on the store directly without any window. Prints the outcome and gives the exit code.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/transfer_command.h"

namespace velora::app {

// The command the program's command line asks for, if it is one (ParseTransferCommand).
ParsedCommand TransferCommandOf(const std::wstring& command_line);

// A known folder of the user (FOLDERID_…), or an empty path when the system has none.
std::filesystem::path KnownFolder(const GUID& id);

// The roots of this machine: the user's profile folder and the program's own.
transfer::Roots MachineRoots(const std::wstring& program_folder);

// Runs the command; `screensaver` is what a first run writes beside a new store.
int RunTransferCommand(HINSTANCE instance, const ParsedCommand& command, std::string_view screensaver);

}  // namespace velora::app
