#include "toolkit/timers.h"
#include "core/guarded.h"

#include "toolkit/message_window.h"

namespace velora::toolkit {
namespace {
constexpr wchar_t kTimerClass[] = L"VeloraTimers";
}

Timers::~Timers() {
  if (!window_) return;
  for (const auto& [id, tick] : ticks_) KillTimer(window_, id);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void Timers::Start(UINT_PTR id, UINT interval_ms, std::function<void()> tick) {
  if (!window_) window_ = CreateMessageWindow(kTimerClass, &Timers::Procedure, this);
  if (!window_) return;
  ticks_[id] = std::move(tick);
  SetTimer(window_, id, interval_ms, nullptr);
}

void Timers::Stop(UINT_PTR id) {
  if (window_) KillTimer(window_, id);
  ticks_.erase(id);
}

void Timers::OnTimer(UINT_PTR id) {
  const auto it = ticks_.find(id);
  if (it == ticks_.end()) return;
  // The callback may stop or restart its own timer: run a copy.
  const std::function<void()> tick = it->second;
  tick();
}

LRESULT CALLBACK Timers::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return core::Guarded(
      "timer procedure",
      [&]() -> LRESULT {
        if (message == WM_TIMER) {
          if (auto* self = MessageWindowOwner<Timers>(hwnd)) self->OnTimer(wparam);
          return 0;
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
      },
      [&] { return DefWindowProcW(hwnd, message, wparam, lparam); });
}

}  // namespace velora::toolkit
