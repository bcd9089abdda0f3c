#pragma once
// Reading a whole file, the one way the program does it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velora::core {

// The whole file, or nothing when it is missing, a folder or unreadable. Read with C's stdio, not
// a stream: the first stream builds the C++ locale with every facet it knows, code and tables
// that start-up otherwise never touches.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Adds `bytes` at the end of the file, made when missing; false when it could not be written.
bool AppendFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace velora::core
