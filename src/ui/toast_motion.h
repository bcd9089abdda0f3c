#pragma once
// A toast's path: it appears at the top of the window, slides down to its row under the toasts
// already showing, waits, and fades out. A timer drives the steps; the counter of toasts showing
// belongs to the toasts' owner, so that toasts started together stack.
#include <cstdint>
#include <string_view>

#include "ui/core_types.h"

namespace velora::ui {

inline constexpr int kToastHeight = 60;
inline constexpr int kToastNarrowWidth = 230;
inline constexpr int kToastWideWidth = 350;
inline constexpr std::size_t kToastNarrowMaxBytes = 19;  // GBK bytes that fit the narrow toast
inline constexpr int kToastStartTop = 10;
inline constexpr int kToastFirstRowTop = 50;
inline constexpr int kToastSlideSteps = 32;
inline constexpr int kToastFadeSteps = 20;
inline constexpr int kToastCloneWaitMs = 100;
inline constexpr int kToastHoldMs = 1500;

int ToastWidth(std::string_view text);
// Centred in the window.
int ToastLeft(int window_width, int toast_width);
int ToastRowTop(int toasts_showing);

class ToastMotion {
 public:
  enum class Phase { kSlide, kHold, kFade, kDone };

  // The slide starts here: the toast takes the next free row.
  ToastMotion(int& toasts_showing, int window_width, std::string_view text);
  // A toast that goes away early frees its row.
  ~ToastMotion();
  ToastMotion(const ToastMotion&) = delete;
  ToastMotion& operator=(const ToastMotion&) = delete;

  Phase phase() const { return phase_; }
  Rect rect() const;
  std::uint8_t alpha() const;  // 255 opaque
  int target_top() const { return target_top_; }

  // One slide or fade step; the slide's last step leads to the hold.
  void Step();
  // After the hold: the fade starts and the row is free for the next toast.
  void EndHold();

 private:
  void ReleaseRow();

  int& toasts_showing_;
  int left_;
  int width_;
  int target_top_;
  int step_ = 0;
  Phase phase_ = Phase::kSlide;
  bool counted_ = true;
};

}  // namespace velora::ui
