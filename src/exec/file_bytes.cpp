#include "exec/file_bytes.h"

#include <fstream>
#include <system_error>

namespace velora::exec {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  // One read of the known size: the grid reads up to a page of icon files per refresh.
  if (!in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

}  // namespace velora::exec
