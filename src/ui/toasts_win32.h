#pragma once
// Toasts on the launcher window: each a clone of the hidden template "分组框_弹出提示" that
// slides in under the toasts already showing, holds, fades and is destroyed. Timers drive every
// step, so a caller returns at once and the window keeps answering.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/custom_control.h"
#include "toolkit/timers.h"
#include "ui/core_types.h"
#include "ui/toast_motion.h"

namespace velora::toolkit {
class ControlHost;
}

namespace velora::ui {

// One toast: its icon, its text (also its window text), and how opaque it is drawn.
class ToastView : public toolkit::CustomControl {
 public:
  ToastView(toolkit::ControlHost& host, toolkit::ControlArgs args);
  void SetKind(ToastKind kind) {
    kind_ = kind;
    Invalidate();
  }
  void SetAlpha(std::uint8_t alpha) {
    alpha_ = alpha;
    Invalidate();
  }
  // The text right of the icon.
  std::vector<toolkit::Caption> Captions() const override;
  // A screen reader speaks the toast's words as it comes in.
  void Announce() const { NotifyAccessible(EVENT_SYSTEM_ALERT, 0); }

 protected:
  void Draw(HDC dc, RECT client) override;
  std::optional<core::AccessibleTree> Accessible() const override {
    core::AccessibleTree tree;
    tree.self.role = core::AccessibleRole::kAlert;
    tree.self.name = Text();
    return tree;
  }

 private:
  ToastKind kind_ = ToastKind::kDone;
  std::uint8_t alpha_ = 255;
};

class Toasts {
 public:
  explicit Toasts(toolkit::ControlHost& controls) : controls_(controls) {}
  ~Toasts();
  Toasts(const Toasts&) = delete;
  Toasts& operator=(const Toasts&) = delete;

  void Show(ToastKind kind, std::string_view text);
  std::size_t running() const { return running_.size(); }

 private:
  static constexpr UINT kSlideFrameMs = 10;
  static constexpr UINT kFadeFrameMs = 25;
  struct Running {
    ToastView* view = nullptr;
    ToastKind kind = ToastKind::kDone;
    std::string text;
    std::unique_ptr<ToastMotion> motion;
    ULONGLONG phase_began = 0;  // the slide's or the fade's first frame
    int frames = 0;             // frames stepped since
  };
  // Steps the toast's motion by one frame, and by more when its timer came late: a busy system
  // delivers fewer frames, and the slide and the fade still take their time and no longer.
  static void StepFrames(Running& toast, UINT frame_ms);
  void Begin(UINT_PTR id);
  void Slide(UINT_PTR id);
  void Fade(UINT_PTR id);
  int WindowDesignWidth() const;

  toolkit::ControlHost& controls_;
  int showing_ = 0;  // rows taken, for the next toast's place
  std::map<UINT_PTR, Running> running_;
  toolkit::Timers timers_;
  UINT_PTR next_id_ = 1;
};

}  // namespace velora::ui
