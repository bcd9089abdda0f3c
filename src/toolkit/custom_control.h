#pragma once
// Base of the custom-drawn controls: a child window that paints double-buffered over the
// window's own background and turns mouse messages into virtual calls.
#include <windows.h>

#include "toolkit/control.h"

namespace velora::toolkit {

class CustomControl : public Control {
 public:
  struct Mouse {
    POINT at;  // device pixels in the control
  };

 protected:
  CustomControl(ControlHost& host, std::string_view type_word, ControlArgs args);

  // Draws the control onto `dc`, which already holds the window background under it.
  virtual void Draw(HDC dc, RECT client) = 0;
  virtual void OnLeftDown(Mouse) {}
  virtual void OnLeftUp(Mouse) {}
  virtual void OnLeftDoubleClick(Mouse) {}
  virtual void OnRightDown(Mouse) {}
  virtual void OnMove(Mouse) {}
  virtual void OnLeave() {}
  virtual void OnWheel(int /*delta*/) {}
  // Any other message a control answers itself; true when it did.
  virtual bool HandleExtra(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/, LRESULT& /*result*/) {
    return false;
  }
  // The move loop of the window, as if its caption had been pressed.
  void DragWindow() const;

 private:
  // The control of this window under the pointer of a wheel message, if it is one of ours.
  CustomControl* WheelTarget(LPARAM lparam) const;
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  bool tracking_leave_ = false;
};

}  // namespace velora::toolkit
