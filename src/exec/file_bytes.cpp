#include "exec/file_bytes.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace velora::exec {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace velora::exec
