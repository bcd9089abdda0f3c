#pragma once
// The one road back to the UI thread: a closure posted from any thread runs on the thread that
// made the dispatcher, from its message loop, in the order posted. The dispatcher's own hidden
// window receives them, so no window of the program routes them and a worker needs no window.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>

namespace velora::core {

class UiPoster;

class UiDispatcher {
 public:
  // Made on the UI thread; empty when its window cannot be made.
  [[nodiscard]] static std::unique_ptr<UiDispatcher> Create();
  // On the UI thread. Closures still queued are freed unrun, and so are those posted later.
  ~UiDispatcher();
  UiDispatcher(const UiDispatcher&) = delete;
  UiDispatcher& operator=(const UiDispatcher&) = delete;

  // A handle any thread may keep and post through, also after the dispatcher is gone.
  UiPoster Poster() const;

 private:
  struct Shared {
    std::mutex mutex;
    HWND window = nullptr;  // null once the dispatcher is gone
  };
  friend class UiPoster;

  explicit UiDispatcher(HWND window);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

class UiPoster {
 public:
  // Posts nothing.
  UiPoster() = default;

  // Queues `task` to run on the UI thread. False when the dispatcher is gone or its queue is
  // full; the task is then freed here, unrun.
  bool Post(std::function<void()> task) const;

 private:
  friend class UiDispatcher;
  explicit UiPoster(std::shared_ptr<UiDispatcher::Shared> shared) : shared_(std::move(shared)) {}

  std::shared_ptr<UiDispatcher::Shared> shared_;
};

}  // namespace velora::core
