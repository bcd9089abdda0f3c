#pragma once
// Base of the custom-drawn controls: a child window that paints double-buffered over the
// window's own background and turns mouse messages into virtual calls.
#include <windows.h>

#include <optional>
#include <string>

#include "core/accessible_tree.h"
#include "toolkit/accessible_win32.h"
#include "toolkit/control.h"

namespace velora::toolkit {

class CustomControl : public Control, private AccessibleSource {
 public:
  struct Mouse {
    POINT at;  // device pixels in the control
  };
  ~CustomControl() override;

  // Tab reaches the control, as in a dialog: Space and Enter then do its default action, and a
  // dotted frame shows while it holds the focus once the keyboard is in use.
  void SetTabStop(bool tab_stop);

 protected:
  // A Tab stop is made one from the start: changing the styles later costs a round of messages.
  CustomControl(ControlHost& host, std::string_view type_word, ControlArgs args, bool tab_stop = false);

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

  // What assistive tools read of the control; nothing leaves it to the system's own reading.
  virtual std::optional<core::AccessibleTree> Accessible() const { return std::nullopt; }
  // The start of such a tree: the control read as `role`, named `name`, over its client area.
  core::AccessibleTree AccessibleSelf(core::AccessibleRole role, std::string name) const;
  // The default action of a child (0: the control's), asked for by an assistive tool.
  virtual void DoAccessibleAction(int /*child*/) {}
  // Children in a row of the control's tree, for moving up and down.
  virtual int AccessibleColumnCount() const { return 1; }
  // Tells assistive tools that a child (0: the control) took the focus, was selected, or that
  // the control's content changed.
  void NotifyAccessible(DWORD event, int child) const;

 private:
  // AccessibleSource
  // A control reached by Tab is read as focusable, and focused while it holds the focus.
  core::AccessibleTree AccessibleNow() const override;
  HWND AccessibleWindow() const override { return hwnd(); }
  int AccessibleColumns() const override { return AccessibleColumnCount(); }
  void RequestAccessibleAction(int child) override;

  bool tab_stop() const;
  // Keys a control reached by Tab takes itself; true when it did.
  bool TabStopKey(UINT message, WPARAM key);
  void DrawFocusFrame(HDC dc, RECT client) const;

  // The control of this window under the pointer of a wheel message, if it is one of ours.
  CustomControl* WheelTarget(LPARAM lparam) const;
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  bool tracking_leave_ = false;
  ControlAccessible* accessible_ = nullptr;  // made at the first request, cut off with the control
};

}  // namespace velora::toolkit
