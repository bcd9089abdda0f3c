#pragma once
// Export and import asked for on the about page: the work runs on a worker with a connection of
// its own, so the panel keeps answering; what it did comes back to the UI thread, where the
// panel reads the store again and a toast says it. A job that runs past half a second says
// "正在导入…" first.
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/transfer_command.h"
#include "core/toast_kind.h"
#include "core/work_queue_win32.h"
#include "transfer/bookmark_import.h"
#include "transfer/browser_profiles.h"

namespace velora::app {

inline constexpr std::string_view kTransferRunning = "正在导入或导出，请稍候";
inline constexpr std::string_view kImporting = "正在导入…";
inline constexpr std::string_view kExporting = "正在导出…";
inline constexpr std::string_view kNoBookmarkFiles = "没有找到浏览器书签";

// What the running window does around a job, each on the UI thread.
struct TransferJobHooks {
  std::function<void()> before;    // the settings file takes what the panel shows now
  std::function<bool()> back_up;   // before a replace; false: nothing is imported
  std::function<void()> imported;  // an import took: the panel reads the store and settings again
  std::function<void(core::ToastKind kind, std::string_view text)> toast;
};

// The counts of several imports added up; refused only when every one was, then as the first.
transfer::TransferResult CombineImports(const std::vector<transfer::TransferResult>& results);

class TransferJobs {
 public:
  // On the UI thread. Empty when no dispatcher could be made.
  [[nodiscard]] static std::unique_ptr<TransferJobs> Create(std::filesystem::path store_file,
                                                            TransferPlaces places, TransferJobHooks hooks);
  ~TransferJobs();
  TransferJobs(const TransferJobs&) = delete;
  TransferJobs& operator=(const TransferJobs&) = delete;

  // What a job ended with, or why it never started; on the UI thread.
  using Answer = std::function<void(const TransferReply&)>;

  // One job at a time: while one runs, another is refused with a toast. False when not started.
  // `answer`, when given, hears the outcome in every case.
  bool Start(const TransferRequest& request, const Answer& answer = nullptr);
  bool StartBookmarks(std::vector<transfer::BookmarkFile> files, transfer::BookmarkOptions options);
  bool Busy() const { return busy_; }

 private:
  // Tells the progress clock the job ended, so it stops waiting.
  struct Clock {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
  };

  TransferJobs(std::unique_ptr<core::UiDispatcher> dispatcher, std::filesystem::path store_file,
               TransferPlaces places, TransferJobHooks hooks);
  bool Launch(std::function<TransferReply(store::Database&)> work, bool imports, std::string_view progress,
              const Answer& answer);
  void Done(const TransferReply& reply, bool imports, const Answer& answer);
  void Toast(core::ToastKind kind, std::string_view text) const;

  std::unique_ptr<core::UiDispatcher> dispatcher_;  // results of a job ended with this object are dropped
  std::filesystem::path store_file_;
  TransferPlaces places_;
  TransferJobHooks hooks_;
  core::WorkQueue work_;
  core::WorkQueue progress_;  // waits half a second beside the work
  std::shared_ptr<Clock> clock_;
  bool busy_ = false;
};

}  // namespace velora::app
