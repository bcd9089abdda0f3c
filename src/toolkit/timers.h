#pragma once
// Window timers with callbacks, on a message-only window of their own, so that a component can
// drive its animation without a window procedure of the window it lives in. The callbacks run
// on the UI thread from the message loop, so every wait between two ticks pumps messages. The
// window is made by the first Start: a component whose timers never run costs start-up nothing.
#include <windows.h>

#include <functional>
#include <map>

namespace velora::toolkit {

class Timers {
 public:
  Timers() = default;
  ~Timers();
  Timers(const Timers&) = delete;
  Timers& operator=(const Timers&) = delete;

  // Starts or restarts timer `id`; the callback runs every `interval_ms` until stopped. Without
  // a window for them (the system refused one) timers never run.
  void Start(UINT_PTR id, UINT interval_ms, std::function<void()> tick);
  void Stop(UINT_PTR id);
  bool Running(UINT_PTR id) const { return ticks_.count(id) != 0; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void OnTimer(UINT_PTR id);

  HWND window_ = nullptr;
  std::map<UINT_PTR, std::function<void()>> ticks_;
};

}  // namespace velora::toolkit
