#include "e2e/directory_watch.h"

namespace velora::e2e {
namespace {
constexpr DWORD kWhat = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                        FILE_NOTIFY_CHANGE_LAST_WRITE;
}

DirectoryWatch::DirectoryWatch(const std::filesystem::path& folder) {
  folder_ =
      CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (folder_ != INVALID_HANDLE_VALUE && !Arm()) {
    CloseHandle(folder_);
    folder_ = INVALID_HANDLE_VALUE;
  }
}

DirectoryWatch::~DirectoryWatch() {
  if (folder_ != INVALID_HANDLE_VALUE) {
    CancelIo(folder_);
    CloseHandle(folder_);
  }
  if (done_) CloseHandle(done_);
}

bool DirectoryWatch::Arm() {
  ResetEvent(done_);
  overlapped_ = {};
  overlapped_.hEvent = done_;
  return ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, TRUE, kWhat, nullptr, &overlapped_, nullptr);
}

std::vector<FileEvent> DirectoryWatch::Collect(DWORD quiet_ms) {
  while (Watching() && WaitForSingleObject(done_, quiet_ms) == WAIT_OBJECT_0) {
    DWORD bytes = 0;
    if (!GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE)) break;
    for (DWORD offset = 0; bytes > 0;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + offset);
      events_.push_back({info->Action, std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t))});
      if (info->NextEntryOffset == 0) break;
      offset += info->NextEntryOffset;
    }
    if (!Arm()) break;
  }
  return events_;
}

}  // namespace velora::e2e
