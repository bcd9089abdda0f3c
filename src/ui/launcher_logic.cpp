#include "ui/launcher_logic.h"

namespace velora::ui {

bool PointerLeftWindow(Rect window, Point pointer) {
  constexpr int kMargin = 50;
  const bool inside = pointer.x > window.left - kMargin && pointer.x < window.right() + kMargin &&
                      pointer.y > window.top - kMargin && pointer.y < window.bottom() + kMargin;
  return !inside;
}

bool ShouldAutoHide(const WindowState& state, bool visible, bool hide_on_leave, Rect window, Point pointer) {
  return visible && !state.edge_docking && hide_on_leave && !state.held && PointerLeftWindow(window, pointer);
}

void LauncherLogic::TogglePin() {
  if (state_.held) {
    state_.held = false;
  } else {
    state_.held = true;
    state_.on_top = true;
  }
  view_.SetPinSelected(state_.held);
}

void LauncherLogic::Summon() {
  // Before the panel shows: the foreground program still holds the selection.
  state_.captured_selection = view_.CaptureSelection();
  state_.page = 0;
  view_.RefreshGrid();
  const Rect window = view_.WindowRect();
  const Point pointer = view_.Pointer();
  view_.MoveTo({pointer.x - window.width / 2, pointer.y - window.height / 2});
  view_.Show();
}

void LauncherLogic::ToggleByGesture() {
  if (state_.held && !state_.on_top) {
    state_.held = false;
    view_.SetPinSelected(false);
    view_.Hide();
  } else {
    Summon();
  }
}

void LauncherLogic::HotkeyPressed() {
  if (view_.IsVisible()) {
    view_.Hide();
  } else {
    Summon();
  }
}

TrayOutcome LauncherLogic::TrayClick(unsigned message) {
  if (message == kTrayRightButtonDown) return TrayOutcome::kOpenMenu;
  if (message != kTrayLeftButtonDown) return TrayOutcome::kNone;
  if (state_.held) {
    view_.Hide();
    state_.held = false;
    return TrayOutcome::kHidden;
  }
  state_.held = true;
  view_.SetPinSelected(true);
  view_.Show();
  const Size screen = view_.Screen();
  const Size grid = view_.GridSize();
  view_.MoveTo({(screen.width - grid.width) / 2, (screen.height - grid.height) / 2});
  return TrayOutcome::kShown;
}

void LauncherLogic::Tick(bool hide_on_leave) {
  if (ShouldAutoHide(state_, view_.IsVisible(), hide_on_leave, view_.WindowRect(), view_.Pointer())) {
    view_.Hide();
  }
}

}  // namespace velora::ui
