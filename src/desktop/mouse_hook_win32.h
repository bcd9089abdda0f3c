#pragma once
// The system-wide mouse hook behind the summoning gestures. Every mouse event of every program
// passes through it, so it does as little as it can: it posts the wanted ones to a window and
// passes every event on.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/mouse_event.h"

namespace velora::desktop {

class MouseHook {
 public:
  // Installs the low-level mouse hook on the calling thread, which must keep dispatching
  // messages. Each event whose core::EventBit is in `wanted` is posted to `target` as `message`:
  // wParam = MAKEWPARAM(button, action), lParam = the event's own time stamp in milliseconds.
  // Null when this process already has one, or the system refused.
  [[nodiscard]] static std::unique_ptr<MouseHook> Install(HWND target, UINT message, std::uint64_t wanted);
  ~MouseHook();
  MouseHook(const MouseHook&) = delete;
  MouseHook& operator=(const MouseHook&) = delete;

 private:
  explicit MouseHook(HHOOK hook) : hook_(hook) {}
  HHOOK hook_;
};

}  // namespace velora::desktop
