#pragma once
// Frame animations for slides and fades: a value runs from a start to an end over a number of
// frames, one frame per tick of a window timer on the UI thread, so the window keeps answering
// between frames. Several run at once; each reports begin, every step and end.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

namespace velora::toolkit {

enum class AnimationEvent { kBegin, kStep, kEnd };

struct AnimationFrame {
  AnimationEvent event = AnimationEvent::kBegin;
  unsigned id = 0;
  int frame = 0;  // 0 at begin, 1 … frames for the steps, frames at end
  int frames = 0;
  double from = 0;
  double to = 0;
  double value = 0;  // from at begin, to at the last step and at end
};

struct AnimationSteps {
  double from = 0;
  double to = 0;
  int frames = 10;  // 0 or less: begin and end at once on the first tick
  UINT interval_ms = 15;
};

class Animator {
 public:
  using Callback = std::function<void(const AnimationFrame&)>;

  // Empty when its timer window cannot be made.
  [[nodiscard]] static std::unique_ptr<Animator> Create();
  ~Animator();
  Animator(const Animator&) = delete;
  Animator& operator=(const Animator&) = delete;

  // The animation's id (never 0), or 0 when its timer could not start. The first tick reports
  // begin and the first step.
  [[nodiscard]] unsigned Start(AnimationSteps steps, Callback callback);
  // Stops an animation without its end notification; safe from any callback, its own included.
  void Cancel(unsigned id);
  bool Running(unsigned id) const { return tasks_.count(id) != 0; }
  std::size_t running_count() const { return tasks_.size(); }

 private:
  struct Task {
    AnimationSteps steps;
    Callback callback;
    int frame = 0;
    bool cancelled = false;
  };

  Animator() = default;
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void Tick(unsigned id) noexcept;
  // Calls back; false when the task was cancelled meanwhile or its callback threw.
  bool Report(unsigned id, Task& task, AnimationEvent event) noexcept;

  HWND window_ = nullptr;
  unsigned last_id_ = 0;
  std::map<unsigned, std::shared_ptr<Task>> tasks_;
};

}  // namespace velora::toolkit
