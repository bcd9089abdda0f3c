#pragma once
// The small second window that shows hover tips; hidden until a tip is shown.
#include <windows.h>

#include <memory>
#include <string_view>

#include "toolkit/base_window.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"
#include "ui/core_types.h"

namespace velora::toolkit {
class Label;
}

namespace velora::ui {

inline constexpr wchar_t kTipClass[] = L"VeloraTip";

class TipWindow : public toolkit::BaseWindow<TipWindow> {
 public:
  TipWindow();
  ~TipWindow();
  [[nodiscard]] bool Create(HINSTANCE instance, HWND launcher,
                            const toolkit::GdiplusSession& gdiplus) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Shows `text` near a screen point; an empty text hides the tip.
  void ShowTip(std::string_view text, Point screen_at);
  void HideTip();
  // Whether the tip is up showing `text`.
  bool Shows(std::string_view text) const;
  toolkit::ControlHost& controls() noexcept { return *controls_; }

 private:
  std::unique_ptr<toolkit::ControlHost> controls_;
  toolkit::Label* label_ = nullptr;
};

}  // namespace velora::ui
