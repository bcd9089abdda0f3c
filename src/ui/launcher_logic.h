#pragma once
// What the launcher window does on its timer, its pin button, the tray and the hotkey, apart
// from the drawing: decisions on the window state, side effects through LauncherView.
#include <string>

#include "ui/core_types.h"
#include "ui/window_state.h"

namespace velora::ui {

// The window as the logic sees it; the launcher window implements it.
class LauncherView {
 public:
  virtual ~LauncherView() = default;
  virtual bool IsVisible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual Rect WindowRect() const = 0;  // screen pixels
  virtual void MoveTo(Point top_left) = 0;
  virtual void SetPinSelected(bool selected) = 0;
  virtual void RefreshGrid() = 0;
  virtual Point Pointer() const = 0;
  virtual Size Screen() const = 0;
  virtual Size GridSize() const = 0;
  // The text selected in the foreground program, copied through the clipboard, which is put
  // back as it was; empty when nothing is selected.
  virtual std::string CaptureSelection() = 0;
};

// Hide when the pointer is outside the window grown by 50 pixels; the test is strict, so a
// pointer exactly on the grown border is outside.
bool PointerLeftWindow(Rect window, Point pointer);

bool ShouldAutoHide(const WindowState& state, bool visible, bool hide_on_leave, Rect window, Point pointer);

// The group menu opens left of and below the pointer, clear of the cell it was opened on.
constexpr Point GroupMenuPosition(Point cursor) { return {cursor.x - 50, cursor.y + 20}; }

inline constexpr unsigned kTrayLeftButtonDown = 513;
inline constexpr unsigned kTrayRightButtonDown = 516;

enum class TrayOutcome { kNone, kOpenMenu, kHidden, kShown };

class LauncherLogic {
 public:
  LauncherLogic(WindowState& state, LauncherView& view) : state_(state), view_(view) {}

  // The pin: pinning holds the window and sets on-top; unpinning releases it.
  void TogglePin();
  // Shows the pin as the held state says, as start-up does.
  void SetPinShown(bool selected) { view_.SetPinSelected(selected); }
  // Centres the window on the pointer at page 0 and shows it.
  void Summon();
  // A gesture hides a held window that is not on top, otherwise summons.
  void ToggleByGesture();
  void HotkeyPressed();
  TrayOutcome TrayClick(unsigned message);
  // The 100 ms timer's auto-hide check.
  void Tick(bool hide_on_leave);

 private:
  WindowState& state_;
  LauncherView& view_;
};

}  // namespace velora::ui
