#pragma once
// What the panel tells the user, in one owner: a toast for the outcome of what was asked, a hover
// tip for what a control does. The parts that report hold a reference to it, never the window.
#include <functional>
#include <string_view>

#include "ui/core_types.h"
#include "ui/toasts_win32.h"

namespace velora::toolkit {
class ControlHost;
}

namespace velora::ui {

class TipWindow;

class Feedback {
 public:
  // `tips_off` tells whether the user ticked "关闭提示".
  Feedback(toolkit::ControlHost& controls, std::function<bool()> tips_off)
      : toasts_(controls), tips_off_(std::move(tips_off)) {}
  Feedback(const Feedback&) = delete;
  Feedback& operator=(const Feedback&) = delete;

  void ShowToast(ToastKind kind, std::string_view text) { toasts_.Show(kind, text); }
  // Only after start-up, never while "关闭提示" is ticked. Hiding with a text hides only that
  // text's tip; an empty text hides any.
  void ShowTip(bool on, std::string_view text);
  // The tip window comes after the panel's first look; until then there are no tips.
  void SetTipWindow(TipWindow* tip) { tip_ = tip; }
  void SetStartupComplete() { startup_complete_ = true; }

 private:
  Toasts toasts_;
  std::function<bool()> tips_off_;
  TipWindow* tip_ = nullptr;
  bool startup_complete_ = false;
};

}  // namespace velora::ui
