#include <windows.h>

#include <system_error>

#include "core/crash_point.h"
#include "settings/atomic_file.h"

namespace velora::settings {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
constexpr std::intptr_t kClosed = -1;  // INVALID_HANDLE_VALUE

}  // namespace

std::unique_ptr<AtomicFile> AtomicFile::Begin(const std::filesystem::path& target) {
  const HANDLE handle = CreateFileW(TemporaryPath(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<AtomicFile>(new AtomicFile(target, reinterpret_cast<std::intptr_t>(handle)));
}

bool AtomicFile::Write(std::string_view bytes) {
  while (!failed_ && !done_ && !bytes.empty()) {
    const DWORD chunk = bytes.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr) || written == 0) {
      failed_ = true;
    }
    bytes.remove_prefix(written);
  }
  return !failed_ && !done_;
}

bool AtomicFile::Commit() {
  if (failed_ || done_) return false;
  core::CrashPoint(core::crash_step::kTemporaryWritten);
  // Windows refuses to replace a read-only file, Wine does not; a user who made the file
  // read-only wants it kept either way.
  const DWORD attributes = GetFileAttributesW(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    Discard();
    failed_ = true;
    return false;
  }
  const bool flushed = FlushFileBuffers(AsHandle(handle_)) != 0;
  const bool closed = CloseHandle(AsHandle(handle_)) != 0;
  handle_ = kClosed;
  if (flushed && closed) core::CrashPoint(core::crash_step::kTemporaryFlushed);
  if (!flushed || !closed ||
      !MoveFileExW(TemporaryPath(target_).c_str(), target_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    Discard();
    failed_ = true;
    return false;
  }
  core::CrashPoint(core::crash_step::kRenamed);
  done_ = true;
  return true;
}

void AtomicFile::Discard() noexcept {
  if (handle_ != kClosed) CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
  DeleteFileW(TemporaryPath(target_).c_str());
}

}  // namespace velora::settings
