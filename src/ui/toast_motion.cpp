#include "ui/toast_motion.h"

#include "text/gbk.h"

namespace velora::ui {

int ToastWidth(std::string_view text) {
  return text::GbkLength(text) > kToastNarrowMaxBytes ? kToastWideWidth : kToastNarrowWidth;
}

int ToastLeft(int window_width, int toast_width) { return window_width / 2 - toast_width / 2; }

int ToastRowTop(int toasts_showing) { return kToastFirstRowTop + kToastHeight * toasts_showing; }

ToastMotion::ToastMotion(int& toasts_showing, int window_width, std::string_view text)
    : toasts_showing_(toasts_showing),
      left_(ToastLeft(window_width, ToastWidth(text))),
      width_(ToastWidth(text)),
      target_top_(ToastRowTop(toasts_showing)) {
  ++toasts_showing_;
}

ToastMotion::~ToastMotion() { ReleaseRow(); }

Rect ToastMotion::rect() const {
  int top = target_top_;
  if (phase_ == Phase::kSlide)
    top = kToastStartTop + (target_top_ - kToastStartTop) * step_ / kToastSlideSteps;
  return {left_, top, width_, kToastHeight};
}

std::uint8_t ToastMotion::alpha() const {
  if (phase_ == Phase::kDone) return 0;
  if (phase_ != Phase::kFade) return 255;
  return static_cast<std::uint8_t>(255 * (kToastFadeSteps - step_) / kToastFadeSteps);
}

void ToastMotion::Step() {
  if (phase_ == Phase::kSlide && ++step_ == kToastSlideSteps) {
    phase_ = Phase::kHold;
    step_ = 0;
  } else if (phase_ == Phase::kFade && ++step_ == kToastFadeSteps) {
    phase_ = Phase::kDone;
  }
}

void ToastMotion::EndHold() {
  if (phase_ != Phase::kHold) return;
  ReleaseRow();
  phase_ = Phase::kFade;
  step_ = 0;
}

void ToastMotion::ReleaseRow() {
  if (!counted_) return;
  counted_ = false;
  if (toasts_showing_ > 0) --toasts_showing_;
}

}  // namespace velora::ui
