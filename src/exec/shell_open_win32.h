#pragma once
// Opening with the shell, off the UI thread: a network path or a slow handler can keep
// ShellExecuteEx busy for seconds, and the panel and the mouse hook must stay responsive. One
// worker thread, with COM set up as the shell wants it, opens the requests in order.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "exec/item_kind.h"
#include "exec/launch.h"

namespace velora::exec {

class ShellOpener {
 public:
  ShellOpener();
  // Waits a little for the requests still queued; one the shell never finishes does not hold
  // the program's exit.
  ~ShellOpener();
  ShellOpener(const ShellOpener&) = delete;
  ShellOpener& operator=(const ShellOpener&) = delete;

  // The "open" verb on `file` (a program, folder, document or address), with `parameters`
  // when not empty, in a normal window.
  void Open(std::string file, std::string parameters);
  // What the shortcut file `link` points at, read and opened with the "open" verb on the worker;
  // a file that is no readable link opens nothing.
  void OpenShortcutTarget(std::string link);
  // This PC, the recycle bin, the control panel or the desktop.
  void OpenPlace(Place place);
  // Any other request that may wait on another program (starting one and waiting until it is
  // ready for input), run in order with the opens.
  void Post(std::function<void()> request);
  // Every request made so far has been handed to the shell (for tests and for exit).
  bool WaitUntilIdle(unsigned milliseconds);

 private:
  // Shared with the worker, which may outlive this object when a handler never returns.
  struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> requests;
    bool busy = false;
    bool stopping = false;
  };
  static void Run(const std::shared_ptr<Queue>& queue);

  std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
  std::thread worker_;
};

// The target and arguments of a .lnk file, read through the shell's link object; empty when the
// file is no readable link.
std::optional<ShortcutTarget> ResolveShortcutFile(const std::string& path);

}  // namespace velora::exec
