#pragma once
// A program's own icon, read from its resources without running it, for the icon cache.
#include <filesystem>
#include <optional>
#include <string>

namespace velora::acquire {

// The first icon group of a program or library (in the order the system enumerates them) as an
// icon file holding every image of the group, in the group's order. Empty when the file cannot be
// read as a module or has no icon group.
std::optional<std::string> FirstIconGroupFile(const std::filesystem::path& module);

// Writes that icon file to `icon_file`, replacing it through a temporary file. False, and nothing
// written, when the program has no icon or the file cannot be written.
bool ExtractProgramIcon(const std::filesystem::path& program, const std::filesystem::path& icon_file);

}  // namespace velora::acquire
