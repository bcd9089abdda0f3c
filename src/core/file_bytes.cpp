#include "core/file_bytes.h"

#include <cstdio>
#include <memory>
#include <system_error>

namespace velora::core {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::FILE* Open(const std::filesystem::path& path, bool append) {
#ifdef _WIN32
  return _wfopen(path.c_str(), append ? L"ab" : L"rb");
#else
  return std::fopen(path.c_str(), append ? "ab" : "rb");
#endif
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::unique_ptr<std::FILE, FileCloser> file(Open(path, false));
  if (!file) return std::nullopt;
  // One read of the size the file has now (the grid reads up to a page of icon files per
  // refresh), then whatever it grew by meanwhile.
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  std::string bytes(error ? 0 : static_cast<std::size_t>(size), '\0');
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
  bytes.resize(got);
  char more[4096];
  while ((got = std::fread(more, 1, sizeof more, file.get())) > 0) bytes.append(more, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool AppendFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::FILE* file = Open(path, true);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace velora::core
