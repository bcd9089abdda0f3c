#pragma once
// Records, in order, the names created, removed, renamed or written anywhere under a folder.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velora::e2e {

struct FileEvent {
  DWORD action;       // FILE_ACTION_*
  std::wstring name;  // relative to the watched folder
};

class DirectoryWatch {
 public:
  explicit DirectoryWatch(const std::filesystem::path& folder);
  ~DirectoryWatch();
  DirectoryWatch(const DirectoryWatch&) = delete;
  DirectoryWatch& operator=(const DirectoryWatch&) = delete;

  bool Watching() const { return folder_ != INVALID_HANDLE_VALUE; }
  // Every event so far, waiting until none has arrived for `quiet_ms`.
  std::vector<FileEvent> Collect(DWORD quiet_ms = 700);

 private:
  bool Arm();

  HANDLE folder_ = INVALID_HANDLE_VALUE;
  HANDLE done_ = nullptr;
  OVERLAPPED overlapped_{};
  alignas(DWORD) unsigned char buffer_[64 * 1024];
  std::vector<FileEvent> events_;
};

}  // namespace velora::e2e
