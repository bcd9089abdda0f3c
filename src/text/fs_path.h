#pragma once
// std::filesystem paths from and to the program's UTF-8 text, whatever the narrow code page is.
#include <filesystem>
#include <string>
#include <string_view>

namespace velora::text {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace velora::text
