#pragma once
// Checking file items against the file system off the window's thread: a disconnected network
// share can keep one check waiting for half a minute, and the panel must not freeze meanwhile.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "acquire/missing_items.h"
#include "core/single_worker_win32.h"

namespace velora::acquire {

// What the file system says of one path. A path on a removable drive without its medium, a
// drive letter that is gone or a share that does not answer is kUnknown, never kMissing; no
// "insert a disk" box is shown.
PathPresence ProbePath(const std::string& utf8_path);

struct MissingItemsFound {
  std::string table;
  MissingCheck check;
};

// The message a finished check posts to its window; lParam owns a MissingItemsFound until
// TakeMissingItemsFound.
UINT MissingItemsFoundMessage() noexcept;
MissingItemsFound TakeMissingItemsFound(LPARAM lparam);

// One check at a time, on a thread of its own that is not waited for.
class MissingItemsChecker {
 public:
  // False, starting nothing, while a check runs or when no thread can be started.
  [[nodiscard]] bool Start(std::string table, std::vector<FileItem> items, HWND notify);
  bool Busy() const noexcept { return worker_.Busy(); }

 private:
  core::SingleWorker worker_;
};

}  // namespace velora::acquire
