#pragma once
// Reading the shell's Recent folder into the recent list's rows, off the window's thread: a
// folder of thousands of shortcuts (or one on a slow share) must not freeze the panel.
#include <windows.h>

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "acquire/recent_files.h"

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

// A finished reading, posted to the window that asked.
struct RecentListing {
  unsigned generation = 0;
  std::vector<RecentRow> rows;
};
UINT RecentListedMessage() noexcept;
// Takes the listing a RecentListedMessage carries; call exactly once per message.
RecentListing TakeRecentListing(LPARAM lparam);

// One worker that reads the folder whenever asked. A new request overtakes one still being read:
// the older reading stops early, and only the newest is posted.
class RecentReader {
 public:
  using FolderSource = std::function<std::optional<std::filesystem::path>()>;

  explicit RecentReader(HWND notify, FolderSource folder = RecentFolder);
  // Does not wait for a reading stuck on a slow folder.
  ~RecentReader();
  RecentReader(const RecentReader&) = delete;
  RecentReader& operator=(const RecentReader&) = delete;

  // Starts a reading and returns its number; false-y (0) when no worker could be started.
  unsigned Refill();
  // Whether `listing` answers the latest Refill; an older one is dropped by the window.
  bool IsLatest(const RecentListing& listing) const;

 private:
  // Shared with the worker, which may outlive this object.
  struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    unsigned requested = 0;
    unsigned finished = 0;
    bool stopping = false;
    HWND notify = nullptr;
    FolderSource folder;
  };
  static void Run(const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::thread worker_;
};

}  // namespace velora::acquire
