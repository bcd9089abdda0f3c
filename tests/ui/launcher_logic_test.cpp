#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/launcher_logic.h"

using namespace velora::ui;

namespace {

class FakeView : public LauncherView {
 public:
  bool IsVisible() const override { return visible; }
  void Show() override { visible = true, calls.push_back("show"); }
  void Hide() override { visible = false, calls.push_back("hide"); }
  Rect WindowRect() const override { return rect; }
  void MoveTo(Point p) override { rect.left = p.x, rect.top = p.y, calls.push_back("move"); }
  void SetPinSelected(bool s) override { pin = s; }
  void RefreshGrid() override { calls.push_back("refresh"); }
  Point Pointer() const override { return pointer; }
  Size Screen() const override { return {1280, 1024}; }
  Size GridSize() const override { return {508, 278}; }
  std::string CaptureSelection() override {
    calls.push_back("capture");
    return selection;
  }

  bool visible = false;
  bool pin = false;
  Rect rect{100, 100, 510, 311};
  Point pointer{0, 0};
  std::vector<std::string> calls;
  std::string selection;
};

}  // namespace

TEST(AutoHide, TheGrownBorderCountsAsOutside) {
  const Rect window{100, 100, 510, 311};
  EXPECT_FALSE(PointerLeftWindow(window, {51, 200}));
  EXPECT_TRUE(PointerLeftWindow(window, {50, 200}));
  EXPECT_FALSE(PointerLeftWindow(window, {659, 460}));
  EXPECT_TRUE(PointerLeftWindow(window, {660, 200}));
  EXPECT_TRUE(PointerLeftWindow(window, {300, 461}));
  EXPECT_TRUE(PointerLeftWindow(window, {300, 50}));
}

TEST(AutoHide, OnlyAVisibleUnheldUndockedWindowWithTheBoxTickedHides) {
  WindowState state;
  const Rect window{100, 100, 510, 311};
  const Point away{0, 0};
  EXPECT_TRUE(ShouldAutoHide(state, true, true, window, away));
  EXPECT_FALSE(ShouldAutoHide(state, false, true, window, away));
  EXPECT_FALSE(ShouldAutoHide(state, true, false, window, away));
  EXPECT_FALSE(ShouldAutoHide(state, true, true, window, {300, 300}));
  state.held = true;
  EXPECT_FALSE(ShouldAutoHide(state, true, true, window, away));
  state.held = false;
  state.edge_docking = true;
  EXPECT_FALSE(ShouldAutoHide(state, true, true, window, away));
}

TEST(LauncherLogic, PinHoldsAndReleases) {
  WindowState state;
  FakeView view;
  LauncherLogic logic(state, view);
  logic.TogglePin();
  EXPECT_TRUE(state.held && state.on_top && view.pin);
  logic.TogglePin();
  EXPECT_FALSE(state.held);
  EXPECT_FALSE(view.pin);
  EXPECT_TRUE(state.on_top);  // unpinning leaves on-top as pinning set it
}

TEST(LauncherLogic, SummonCentresOnThePointerAtPageZero) {
  WindowState state;
  state.page = 3;
  FakeView view;
  view.pointer = {700, 500};
  view.selection = "选中的字";
  LauncherLogic(state, view).Summon();
  EXPECT_EQ(state.page, 0);
  EXPECT_EQ(view.rect.left, 700 - 255);
  EXPECT_EQ(view.rect.top, 500 - 155);
  // The selection is taken while the other program is still in front.
  EXPECT_EQ(view.calls, (std::vector<std::string>{"capture", "refresh", "move", "show"}));
  EXPECT_EQ(state.captured_selection, "选中的字");
}

TEST(LauncherLogic, HotkeyAndGestureToggle) {
  WindowState state;
  FakeView view;
  LauncherLogic logic(state, view);
  logic.HotkeyPressed();
  EXPECT_TRUE(view.visible);
  logic.HotkeyPressed();
  EXPECT_FALSE(view.visible);

  state.held = true;  // held by start-up, not pinned: a gesture hides and releases it
  view.visible = true;
  logic.ToggleByGesture();
  EXPECT_FALSE(view.visible);
  EXPECT_FALSE(state.held);
  logic.TogglePin();  // pinned: a gesture only brings it to the pointer
  logic.ToggleByGesture();
  EXPECT_TRUE(view.visible);
  EXPECT_TRUE(state.held);
}

TEST(LauncherLogic, TrayLeftClickShowsHeldOrHides) {
  WindowState state;
  FakeView view;
  LauncherLogic logic(state, view);
  EXPECT_EQ(logic.TrayClick(kTrayRightButtonDown), TrayOutcome::kOpenMenu);
  EXPECT_EQ(logic.TrayClick(512), TrayOutcome::kNone);
  EXPECT_EQ(logic.TrayClick(kTrayLeftButtonDown), TrayOutcome::kShown);
  EXPECT_TRUE(state.held && view.visible && view.pin);
  EXPECT_EQ(view.rect.left, (1280 - 508) / 2);
  EXPECT_EQ(view.rect.top, (1024 - 278) / 2);
  EXPECT_EQ(logic.TrayClick(kTrayLeftButtonDown), TrayOutcome::kHidden);
  EXPECT_FALSE(state.held || view.visible);
}

TEST(LauncherLogic, TickHidesOnlyWhenThePointerLeft) {
  WindowState state;
  FakeView view;
  view.visible = true;
  view.pointer = {300, 300};
  LauncherLogic logic(state, view);
  logic.Tick(true);
  EXPECT_TRUE(view.visible);
  view.pointer = {10, 10};
  logic.Tick(false);
  EXPECT_TRUE(view.visible);
  logic.Tick(true);
  EXPECT_FALSE(view.visible);
}

TEST(LauncherLogic, GroupMenuOpensLeftAndBelowThePointer) {
  EXPECT_EQ(GroupMenuPosition({300, 200}).x, 250);
  EXPECT_EQ(GroupMenuPosition({300, 200}).y, 220);
  EXPECT_EQ(GroupMenuPosition({10, 0}).x, -40);  // the menu itself keeps to the screen
}
