#include "settings/atomic_file.h"

#include <fstream>
#include <iterator>

namespace velora::settings {

std::filesystem::path AtomicFile::TemporaryPath(const std::filesystem::path& target) {
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

AtomicFile::AtomicFile(std::filesystem::path target, std::intptr_t handle)
    : target_(std::move(target)), handle_(handle) {}

AtomicFile::~AtomicFile() {
  if (!done_) Discard();
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  std::unique_ptr<AtomicFile> file = AtomicFile::Begin(target);
  return file && file->Write(bytes) && file->Commit();
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace velora::settings
