#pragma once
// Runs a blocking lookup off the UI thread. The result goes to the sink on the worker thread;
// a sink that touches the UI hands it over first (PostLookupResult does that for a window).
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace velora::exec {

class LookupWorker {
 public:
  using Lookup = std::function<std::string()>;
  using Sink = std::function<void(std::string)>;

  LookupWorker() = default;
  // Waits for a running lookup, which ends within its own time-out.
  ~LookupWorker();
  LookupWorker(const LookupWorker&) = delete;
  LookupWorker& operator=(const LookupWorker&) = delete;

  // One lookup at a time: false while one runs. A lookup that throws delivers empty text.
  [[nodiscard]] bool Start(Lookup lookup, Sink sink);
  bool Busy() const noexcept { return busy_.load(); }

 private:
  std::atomic<bool> busy_{false};
  std::thread thread_;
};

}  // namespace velora::exec
