#pragma once
// Writes a real shell link (.lnk) through the shell's link object, as Explorer makes them.
#include <filesystem>
#include <string>

namespace velora::testing {

// False when the link object cannot be made or saved.
bool WriteShellLink(const std::filesystem::path& link_path, const std::wstring& target,
                    const std::wstring& arguments = L"");

}  // namespace velora::testing
