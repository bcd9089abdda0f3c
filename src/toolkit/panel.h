#pragma once
// A picture box: a holder for other controls, transparent unless given a fill; it can move the
// window when pressed.
#include <cstdint>
#include <optional>

#include "toolkit/custom_control.h"

namespace velora::toolkit {

class Panel : public CustomControl {
 public:
  Panel(ControlHost& host, ControlArgs args, std::string_view type = type_word::kPanel)
      : CustomControl(host, type, std::move(args)) {}

  void SetFill(std::optional<std::uint32_t> argb, std::uint32_t border_argb = 0);
  // A panel that moves the window lets the mouse through to it, whose caption it then is.
  void SetDragsWindow(bool drags) { drags_window_ = drags; }

 protected:
  void Draw(HDC dc, RECT client) override;
  bool HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  std::optional<std::uint32_t> fill_;
  std::uint32_t border_ = 0;
  bool drags_window_ = false;
};

// A line of text in a colour, drawn over the window background.
class Label : public CustomControl {
 public:
  Label(ControlHost& host, ControlArgs args) : CustomControl(host, type_word::kLabel, std::move(args)) {}
  void SetColour(std::uint32_t argb) {
    colour_ = argb;
    Invalidate();
  }
  std::vector<Caption> Captions() const override;

 protected:
  void Draw(HDC dc, RECT client) override;

 private:
  std::uint32_t colour_ = 0xFF303133;
};

// The resize grip: a small dotted corner that hands the window to the system's sizing loop, as
// if the bottom-right corner of a sizing frame had been pressed; the loop keeps the limits the
// window gives in WM_GETMINMAXINFO. The end callback runs when the loop is over.
class Grip : public CustomControl {
 public:
  Grip(ControlHost& host, ControlArgs args) : CustomControl(host, type_word::kButton, std::move(args)) {}
  void SetColour(std::uint32_t argb) {
    colour_ = argb;
    Invalidate();
  }

  std::function<void()> on_end_resize;
  std::function<void(bool entered)> on_hover;

 protected:
  void Draw(HDC dc, RECT client) override;
  void OnLeftDown(Mouse) override;
  void OnMove(Mouse) override;
  void OnLeave() override;
  bool HandleExtra(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  std::uint32_t colour_ = 0xFF909399;
  bool hover_ = false;
};

}  // namespace velora::toolkit
