#pragma once
// Opening with the shell, off the UI thread: a network path or a slow handler can keep
// ShellExecuteEx busy for seconds, and the panel and the mouse hook must stay responsive. One
// worker thread, with COM set up as the shell wants it, opens the requests in order.
#include <functional>
#include <optional>
#include <string>

#include "core/work_queue_win32.h"
#include "exec/item_kind.h"
#include "exec/launch.h"

namespace velora::exec {

class ShellOpener {
 public:
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
  bool WaitUntilIdle(unsigned milliseconds) { return queue_.WaitUntilIdle(milliseconds); }

 private:
  // At exit the requests still queued get a little time; one the shell never finishes does not
  // hold the program's exit. Nothing comes back to the UI thread.
  core::WorkQueue queue_{{}, {"shell open", true, 2000, 500}};
};

// The target and arguments of a .lnk file, read through the shell's link object; empty when the
// file is no readable link.
std::optional<ShortcutTarget> ResolveShortcutFile(const std::string& path);

}  // namespace velora::exec
