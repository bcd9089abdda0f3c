#pragma once
// One background job at a time, on a thread of its own that is not waited for, whose result is
// posted to a window: a download or a file check may take a minute, and closing the program does
// not wait for it.
#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>

#include "core/guarded.h"
#include "core/posted_value_win32.h"

namespace velora::core {

class SingleWorker {
 public:
  // Runs `work` on a new thread and posts what it returns to `notify` with `message` (what
  // `fallback` returns when it threw). False, starting nothing, while a job runs or when no
  // thread can be started. `where` names the job for a caught exception; it must outlive it.
  template <typename Work, typename Fallback>
  [[nodiscard]] bool Start(const char* where, HWND notify, UINT message, Work work, Fallback fallback) {
    if (busy_->exchange(true)) return false;
    try {
      std::thread([busy = busy_, where, notify, message, work = std::move(work),
                   fallback = std::move(fallback)]() mutable {
        auto result = Guarded(where, work, fallback);
        // Free before the window hears of it, so that it may start the next job at once.
        busy->store(false);
        Guarded(where, [&] { PostValue(notify, message, 0, std::move(result)); });
      }).detach();
    } catch (...) {
      busy_->store(false);
      return false;
    }
    return true;
  }
  bool Busy() const noexcept { return busy_->load(); }

 private:
  // Shared with the running thread, which may outlive this object.
  std::shared_ptr<std::atomic<bool>> busy_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace velora::core
