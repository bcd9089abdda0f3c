#pragma once
// Checking file items against the file system off the window's thread: a disconnected network
// share can keep one check waiting for half a minute, and the panel must not freeze meanwhile.
#include <functional>
#include <string>
#include <vector>

#include "acquire/missing_items.h"
#include "core/work_queue_win32.h"

namespace velora::acquire {

// What the file system says of one path. A path on a removable drive without its medium, a
// drive letter that is gone or a share that does not answer is kUnknown, never kMissing; no
// "insert a disk" box is shown.
PathPresence ProbePath(const std::string& utf8_path);

struct MissingItemsFound {
  std::string table;
  MissingCheck check;
};

// One check at a time, on a worker that is not waited for.
class MissingItemsChecker {
 public:
  // `ui` brings each finding back to the UI thread.
  explicit MissingItemsChecker(core::UiPoster ui) : worker_(std::move(ui), {"missing items check"}) {}

  // `done` gets the finding on the UI thread. False, starting nothing, while a check runs or
  // when no worker can be started.
  [[nodiscard]] bool Start(const std::string& table, const std::vector<FileItem>& items,
                           std::function<void(MissingItemsFound)> done);
  bool Busy() const { return worker_.Busy(); }

 private:
  core::WorkQueue worker_;
};

}  // namespace velora::acquire
