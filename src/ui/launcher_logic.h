#pragma once
// What the launcher window does on its timer, its pin button, the tray, the hotkey and the mouse
// gestures, apart from the drawing: decisions on whether the panel is held, side effects through
// LauncherView.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/mouse_event.h"
#include "ui/core_types.h"
#include "ui/placement.h"

namespace velora::ui {

// The window as the logic sees it; the launcher window implements it.
class LauncherView {
 public:
  virtual ~LauncherView() = default;
  virtual bool IsVisible() const = 0;
  virtual void Show() = 0;
  // Shows the window and takes the keyboard, so keys reach the panel.
  virtual void ShowActive() = 0;
  virtual void Hide() = 0;
  virtual Rect WindowRect() const = 0;  // screen pixels
  virtual Size DesignSize() const = 0;  // 96-DPI pixels
  // Moves and sizes the window in screen pixels, for a monitor of `dpi`.
  virtual void Place(const Placement& placement) = 0;
  virtual void SetPinSelected(bool selected) = 0;
  // Shows the first page of the category on show, read anew.
  virtual void ShowFirstPage() = 0;
  virtual Point Pointer() const = 0;
  virtual std::vector<MonitorArea> Monitors() const = 0;
  // Keeps the text selected in the foreground program for the launches of this summon, copied
  // through the clipboard, which is put back as it was.
  virtual void CaptureSelection() = 0;
  // A left release reported by the mouse hook: finishes a press on a grid item, if any.
  virtual void FinishGridClick() = 0;
  // Reads the recent files again when their list is shown.
  virtual void RefillIfVisible() = 0;
  // "靠边伸缩" is on: the gestures are silent and the panel never hides by itself.
  virtual bool EdgeDocking() const = 0;
};

// Hide when the pointer is outside the window grown by 50 pixels; the test is strict, so a
// pointer exactly on the grown border is outside.
bool PointerLeftWindow(Rect window, Point pointer);

// The group menu opens left of and below the pointer, clear of the cell it was opened on.
constexpr Point GroupMenuPosition(Point cursor) { return {cursor.x - 50, cursor.y + 20}; }

// A side-button release this soon after its press is a summon gesture; a slower one is not.
inline constexpr std::uint32_t kQuickSideClickMs = 300;

// The gesture boxes of the settings panel: "鼠标中键呼出" and "鼠标侧键上呼出".
struct GestureBoxes {
  bool middle = false;
  bool side = false;
};

// The mouse events the window acts on; the hook posts nothing else.
std::uint64_t WantedMouseEvents();

inline constexpr unsigned kTrayLeftButtonDown = 513;
inline constexpr unsigned kTrayRightButtonDown = 516;

enum class TrayOutcome { kNone, kOpenMenu, kHidden, kShown };

class LauncherLogic {
 public:
  explicit LauncherLogic(LauncherView& view) : view_(view) {}

  // Held, the panel stays open: no auto-hide, no hide after a launch.
  bool held() const { return held_; }
  // Pinned once: a summon gesture never hides the panel.
  bool on_top() const { return on_top_; }
  // Started by hand the panel shows held, pin pressed.
  void StartHeld(bool held);

  // The pin: pinning holds the window and sets on-top; unpinning releases it.
  void TogglePin();
  // Centres the window on the pointer at page 0 and shows it. The capture's wait lets messages
  // through; a hotkey or gesture arriving meanwhile (a held key repeats) is dropped, so one
  // summon never runs inside another and its clipboard copy.
  void Summon();
  // A gesture hides a held window that is not on top, otherwise summons.
  void ToggleByGesture();
  void HotkeyPressed();
  TrayOutcome TrayClick(unsigned message);
  // An event from the mouse hook, `time_ms` its own time stamp.
  void MouseEvent(core::MouseEvent event, std::uint32_t time_ms, GestureBoxes boxes);
  // The 100 ms timer's auto-hide check.
  void Tick(bool hide_on_leave);

 private:
  LauncherView& view_;
  bool held_ = false;
  bool on_top_ = false;
  std::optional<std::uint32_t> side_press_ms_;  // time stamp of the side button's last press
  bool summoning_ = false;
};

}  // namespace velora::ui
