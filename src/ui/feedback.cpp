#include "ui/feedback.h"

#include "ui/tip_text.h"
#include "ui/tip_window.h"

namespace velora::ui {

void Feedback::ShowTip(bool on, std::string_view text) {
  if (!tip_) return;
  // The pointer leaving a control may be told after it reached the next one, whose tip then
  // shows: the late leave takes down only its own.
  if (!on && !text.empty() && !tip_->Shows(TipText(text))) return;
  if (!TipShown(startup_complete_, tips_off_ && tips_off_(), on, text)) return tip_->HideTip();
  POINT at{};
  GetCursorPos(&at);
  tip_->ShowTip(TipText(text), {at.x, at.y});
}

}  // namespace velora::ui
