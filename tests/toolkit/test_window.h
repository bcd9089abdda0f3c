#pragma once
// A real top-level window with a ControlHost for the toolkit's integration tests, and a message
// pump for the tests that wait on timers or menus.
#include <windows.h>

#include <functional>
#include <memory>

#include "support/message_pump_win32.h"
#include "toolkit/control_host.h"

namespace velora::toolkit::testing {

// Wine takes about two seconds to destroy a shown top-level window on a display without a
// window manager, so windows start hidden and tests that need a shown one share it.
class TestWindow {
 public:
  explicit TestWindow(bool visible = false);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  ControlHost& host() { return *host_; }
  // A fresh host: every control of the previous one is destroyed.
  void ResetHost();

  // Called for every message before the default handling; returning true consumes it.
  std::function<bool(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)> on_message;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  HWND hwnd_ = nullptr;
  std::unique_ptr<ControlHost> host_;
};

using velora::testing::PumpUntil;

}  // namespace velora::toolkit::testing
