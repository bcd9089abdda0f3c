#pragma once
// The program: what the command line asks for, then the message loop.
#include <windows.h>

#include <memory>
#include <vector>

#include "flipit/clock_window_win32.h"
#include "flipit/command_line.h"
#include "toolkit/gdiplus.h"

namespace velora::flipit {

class ScreenSaver {
 public:
  explicit ScreenSaver(HINSTANCE instance) : instance_(instance) {}
  ScreenSaver(const ScreenSaver&) = delete;
  ScreenSaver& operator=(const ScreenSaver&) = delete;

  // The process exit code.
  int Run(const Invocation& invocation);

 private:
  // One clock per monitor, the first one active so that it receives the keys.
  bool ShowFullScreen();
  bool ShowPreview(HWND parent);
  // The settings dialog: there is nothing to set, so it says what the screensaver is.
  void ShowAbout(HWND owner) const;
  int RunMessageLoop();

  HINSTANCE instance_;
  toolkit::GdiplusSession gdiplus_;
  std::vector<std::unique_ptr<ClockWindow>> windows_;
};

}  // namespace velora::flipit
