#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/crash_point.h"
#include "settings/atomic_file.h"

namespace velora::settings {
namespace {

constexpr std::intptr_t kClosed = -1;

// The rename itself reaches the disk only with its folder.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);
  close(fd);
}

}  // namespace

std::unique_ptr<AtomicFile> AtomicFile::Begin(const std::filesystem::path& target) {
  const int fd = open(TemporaryPath(target).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::unique_ptr<AtomicFile>(new AtomicFile(target, fd));
}

bool AtomicFile::Write(std::string_view bytes) {
  while (!failed_ && !done_ && !bytes.empty()) {
    const ssize_t written = write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_ = true;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return !failed_ && !done_;
}

bool AtomicFile::Commit() {
  if (failed_ || done_) return false;
  core::CrashPoint(core::crash_step::kTemporaryWritten);
  const bool flushed = fsync(static_cast<int>(handle_)) == 0;
  const bool closed = close(static_cast<int>(handle_)) == 0;
  handle_ = kClosed;
  if (flushed && closed) core::CrashPoint(core::crash_step::kTemporaryFlushed);
  if (!flushed || !closed || std::rename(TemporaryPath(target_).c_str(), target_.c_str()) != 0) {
    Discard();
    failed_ = true;
    return false;
  }
  SyncFolder(target_.parent_path());
  core::CrashPoint(core::crash_step::kRenamed);
  done_ = true;
  return true;
}

void AtomicFile::Discard() noexcept {
  if (handle_ != kClosed) close(static_cast<int>(handle_));
  handle_ = kClosed;
  std::remove(TemporaryPath(target_).c_str());
}

}  // namespace velora::settings
