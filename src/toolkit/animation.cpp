#include "toolkit/animation.h"
#include "core/guarded.h"

#include "toolkit/message_window.h"

namespace velora::toolkit {
namespace {
constexpr wchar_t kAnimatorClass[] = L"VeloraAnimator";
}

std::unique_ptr<Animator> Animator::Create() {
  std::unique_ptr<Animator> animator(new Animator());
  animator->window_ = CreateMessageWindow(kAnimatorClass, &Animator::Procedure, animator.get());
  if (!animator->window_) return nullptr;
  return animator;
}

Animator::~Animator() {
  if (window_) DestroyWindow(window_);  // its timers go with it
}

unsigned Animator::Start(AnimationSteps steps, Callback callback) {
  if (!callback) return 0;
  do {
    ++last_id_;
  } while (last_id_ == 0 || tasks_.count(last_id_));
  const unsigned id = last_id_;
  if (!SetTimer(window_, id, steps.interval_ms ? steps.interval_ms : 1, nullptr)) return 0;
  auto task = std::make_shared<Task>();
  task->steps = steps;
  task->callback = std::move(callback);
  tasks_.emplace(id, std::move(task));
  return id;
}

void Animator::Cancel(unsigned id) {
  const auto found = tasks_.find(id);
  if (found == tasks_.end()) return;
  KillTimer(window_, id);
  found->second->cancelled = true;  // a tick that is calling back sees it
  tasks_.erase(found);
}

LRESULT CALLBACK Animator::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return core::Guarded(
      "animation procedure",
      [&]() -> LRESULT {
        auto* self = MessageWindowOwner<Animator>(hwnd);
        if (self && message == WM_TIMER) {
          self->Tick(static_cast<unsigned>(wparam));
          return 0;
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
      },
      [&] { return DefWindowProcW(hwnd, message, wparam, lparam); });
}

bool Animator::Report(unsigned id, Task& task, AnimationEvent event) noexcept {
  const AnimationSteps& s = task.steps;
  AnimationFrame frame{event, id, task.frame, s.frames, s.from, s.to, s.from};
  if (event == AnimationEvent::kEnd || (s.frames > 0 && task.frame >= s.frames)) {
    frame.value = s.to;  // exact, whatever the rounding of the steps
  } else if (s.frames > 0) {
    frame.value = s.from + (s.to - s.from) * task.frame / s.frames;
  }
  bool failed = false;
  core::Guarded(
      "animation callback", [&] { task.callback(frame); }, [&] { failed = true; });
  if (failed) {
    Cancel(id);  // a failing callback stops only its own animation
    return false;
  }
  return !task.cancelled;
}

void Animator::Tick(unsigned id) noexcept {
  const auto found = tasks_.find(id);
  if (found == tasks_.end()) {
    KillTimer(window_, id);
    return;
  }
  // Held here so that a callback cancelling its own animation does not free it under us.
  const std::shared_ptr<Task> task = found->second;
  if (task->frame == 0 && !Report(id, *task, AnimationEvent::kBegin)) return;
  if (task->frame < task->steps.frames) {
    ++task->frame;
    if (!Report(id, *task, AnimationEvent::kStep)) return;
  }
  if (task->frame >= task->steps.frames) {
    Cancel(id);  // finished before its end is reported, so the callback may start the next one
    task->cancelled = false;
    Report(id, *task, AnimationEvent::kEnd);
  }
}

}  // namespace velora::toolkit
