#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace velora::exec {

// The whole file, or nothing when it is missing, a folder or unreadable.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

}  // namespace velora::exec
