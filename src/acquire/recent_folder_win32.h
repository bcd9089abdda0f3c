#pragma once
// Reading the shell's Recent folder into the recent list's rows, off the window's thread: a
// folder of thousands of shortcuts (or one on a slow share) must not freeze the panel.
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "acquire/recent_files.h"
#include "core/work_queue_win32.h"

namespace velora::acquire {

// The current user's Recent folder as the shell reports it, wherever Documents or the profile
// were moved; empty when there is none.
std::optional<std::filesystem::path> RecentFolder();

// The user's clock setting: true for a 24-hour clock.
bool ClockIs24Hour();

// The rows of `folder`: its files (hidden ones too; no subfolders), the newest first, at most
// kRecentRowLimit, each with its shortcut's target. `keep_going` is asked between files; when it
// answers false the reading stops and returns nothing. A missing folder gives no rows.
std::vector<RecentRow> ReadRecentFolder(const std::filesystem::path& folder, bool twenty_four_hour,
                                        const std::function<bool()>& keep_going = {});

// One worker that reads the folder whenever asked. A new request overtakes one still being read:
// the older reading stops early, and only the newest reaches the UI thread. Ending does not wait
// for a reading stuck on a slow folder.
class RecentReader {
 public:
  using FolderSource = std::function<std::optional<std::filesystem::path>()>;
  using Deliver = std::function<void(const std::vector<RecentRow>&)>;

  // `deliver` gets each newest reading on the UI thread, through `ui`.
  RecentReader(core::UiPoster ui, Deliver deliver, FolderSource folder = RecentFolder);

  // Starts a reading; false when no worker could be started.
  bool Refill();

 private:
  Deliver deliver_;
  FolderSource folder_;
  // Resolving each shortcut on a thread that keeps COM, rather than setting it up for each.
  core::WorkQueue worker_;
};

}  // namespace velora::acquire
