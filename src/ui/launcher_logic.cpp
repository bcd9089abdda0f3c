#include "ui/launcher_logic.h"

namespace velora::ui {

bool PointerLeftWindow(Rect window, Point pointer) {
  constexpr int kMargin = 50;
  const bool inside = pointer.x > window.left - kMargin && pointer.x < window.right() + kMargin &&
                      pointer.y > window.top - kMargin && pointer.y < window.bottom() + kMargin;
  return !inside;
}

void LauncherLogic::StartHeld(bool held) {
  held_ = held;
  view_.SetPinSelected(held);
}

void LauncherLogic::TogglePin() {
  if (held_) {
    held_ = false;
  } else {
    held_ = true;
    on_top_ = true;
  }
  view_.SetPinSelected(held_);
}

std::uint64_t WantedMouseEvents() { return core::EventBits({{3, 1}, {3, 2}, {5, 1}, {5, 2}, {1, 2}}); }

void LauncherLogic::Summon() {
  if (summoning_) return;
  summoning_ = true;
  // Before the panel shows: the foreground program still holds the selection.
  view_.CaptureSelection();
  summoning_ = false;
  view_.RefillIfVisible();
  view_.ShowFirstPage();
  view_.Place(PlaceAtPointer(view_.Pointer(), view_.DesignSize(), view_.Monitors()));
  view_.ShowActive();
}

void LauncherLogic::ToggleByGesture() {
  if (summoning_) return;
  if (held_ && !on_top_) {
    held_ = false;
    view_.SetPinSelected(false);
    view_.Hide();
  } else {
    Summon();
  }
}

void LauncherLogic::HotkeyPressed() {
  if (summoning_) return;
  if (view_.IsVisible()) {
    view_.Hide();
  } else {
    Summon();
  }
}

TrayOutcome LauncherLogic::TrayClick(unsigned message) {
  if (message == kTrayRightButtonDown) return TrayOutcome::kOpenMenu;
  if (message != kTrayLeftButtonDown) return TrayOutcome::kNone;
  if (held_) {
    view_.Hide();
    held_ = false;
    view_.SetPinSelected(false);
    return TrayOutcome::kHidden;
  }
  held_ = true;
  view_.SetPinSelected(true);
  // Centred on the monitor of the tray that was clicked.
  view_.Place(CentreOnMonitor(view_.Pointer(), view_.DesignSize(), view_.Monitors()));
  view_.ShowActive();
  return TrayOutcome::kShown;
}

void LauncherLogic::MouseEvent(core::MouseEvent event, std::uint32_t time_ms, GestureBoxes boxes) {
  constexpr int kLeft = 1, kMiddle = 3, kSide = 5, kDown = 1, kUp = 2;
  if (event.button == kSide && event.action == kDown) {
    side_press_ms_ = time_ms;
  } else if (event.button == kSide && event.action == kUp) {
    // Time stamps wrap after 49 days; the unsigned difference stays right across the wrap.
    const bool quick = side_press_ms_ && time_ms - *side_press_ms_ < kQuickSideClickMs;
    side_press_ms_.reset();
    if (quick && boxes.side && !view_.EdgeDocking()) ToggleByGesture();
  } else if (event.button == kMiddle && event.action == kUp) {
    if (boxes.middle && !view_.EdgeDocking()) ToggleByGesture();
  } else if (event.button == kLeft && event.action == kUp) {
    // The grid holds the capture while an item is pressed; this finishes the click even when
    // the capture was taken away before the release.
    view_.FinishGridClick();
  }
}

void LauncherLogic::Tick(bool hide_on_leave) {
  if (hide_on_leave && !held_ && !view_.EdgeDocking() && view_.IsVisible() &&
      PointerLeftWindow(view_.WindowRect(), view_.Pointer())) {
    view_.Hide();
  }
}

}  // namespace velora::ui
