#pragma once
// Replaces a file so that a reader sees either the old bytes or all of the new ones: the bytes
// go to a temporary file beside the target, reach the disk, and the temporary file is then
// renamed over the target. Anything short of a successful Commit leaves the target untouched.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_bytes.h"

namespace velora::settings {

class AtomicFile {
 public:
  // Creates the temporary file (the target's name + ".tmp", replacing a leftover of an
  // interrupted save); empty when it cannot be created.
  [[nodiscard]] static std::unique_ptr<AtomicFile> Begin(const std::filesystem::path& target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // After a failed write every later call fails too.
  [[nodiscard]] bool Write(std::string_view bytes);
  // Flushes, closes and renames over the target; false leaves the target as it was.
  [[nodiscard]] bool Commit();

  static std::filesystem::path TemporaryPath(const std::filesystem::path& target);

 private:
  AtomicFile(std::filesystem::path target, std::intptr_t handle);
  void Discard() noexcept;

  std::filesystem::path target_;
  std::intptr_t handle_;  // a HANDLE on Windows, a descriptor elsewhere; -1 when closed
  bool failed_ = false;
  bool done_ = false;
};

[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Settings and their callers read files the one way the program does.
using core::ReadFileBytes;

}  // namespace velora::settings
