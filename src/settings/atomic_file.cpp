#include "settings/atomic_file.h"

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

}  // namespace velora::settings
