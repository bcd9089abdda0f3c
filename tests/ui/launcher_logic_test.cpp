#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/launcher_logic.h"

using namespace velora::ui;

namespace {

class FakeView : public LauncherView {
 public:
  bool IsVisible() const override { return visible; }
  void Show() override { visible = true, calls.push_back("show"); }
  void ShowActive() override { visible = true, calls.push_back("show active"); }
  void Hide() override { visible = false, calls.push_back("hide"); }
  Rect WindowRect() const override { return rect; }
  Size DesignSize() const override { return {510, 311}; }
  void Place(const Placement& p) override { rect = p.rect, dpi = p.dpi, calls.push_back("place"); }
  void SetPinSelected(bool s) override { pin = s; }
  void ShowFirstPage() override { calls.push_back("first page"); }
  Point Pointer() const override { return pointer; }
  std::vector<MonitorArea> Monitors() const override { return monitors; }
  void CaptureSelection() override {
    calls.push_back("capture");
    if (during_capture) during_capture();
  }
  void FinishGridClick() override { calls.push_back("finish click"); }
  void RefillIfVisible() override { calls.push_back("recent"); }
  bool EdgeDocking() const override { return docking; }

  bool visible = false;
  bool docking = false;
  bool pin = false;
  Rect rect{100, 100, 510, 311};
  int dpi = 96;
  Point pointer{0, 0};
  std::vector<MonitorArea> monitors{{{0, 0, 1280, 1024}, 96}};
  std::vector<std::string> calls;
  std::function<void()> during_capture;
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

TEST(LauncherLogic, PinHoldsAndReleases) {
  FakeView view;
  LauncherLogic logic(view);
  logic.TogglePin();
  EXPECT_TRUE(logic.held() && logic.on_top() && view.pin);
  logic.TogglePin();
  EXPECT_FALSE(logic.held());
  EXPECT_FALSE(view.pin);
  EXPECT_TRUE(logic.on_top());  // unpinning leaves on-top as pinning set it
}

TEST(LauncherLogic, SummonCentresOnThePointerAtPageZero) {
  FakeView view;
  view.pointer = {700, 500};
  LauncherLogic(view).Summon();
  EXPECT_EQ(view.rect.left, 700 - 255);
  EXPECT_EQ(view.rect.top, 500 - 155);
  // The selection is taken while the other program is still in front.
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"capture", "recent", "first page", "place", "show active"}));
}

TEST(LauncherLogic, AHotkeyOrGestureDuringTheCaptureWaitIsDropped) {
  FakeView view;
  LauncherLogic logic(view);
  view.during_capture = [&] {
    logic.HotkeyPressed();  // the held key repeats
    logic.ToggleByGesture();
  };
  logic.HotkeyPressed();
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"capture", "recent", "first page", "place", "show active"}));
  view.during_capture = nullptr;
  logic.HotkeyPressed();  // and afterwards the hotkey works again
  EXPECT_FALSE(view.visible);
}

TEST(LauncherLogic, HotkeyAndGestureToggle) {
  FakeView view;
  LauncherLogic logic(view);
  logic.HotkeyPressed();
  EXPECT_TRUE(view.visible);
  logic.HotkeyPressed();
  EXPECT_FALSE(view.visible);

  logic.StartHeld(true);  // held by start-up, not pinned: a gesture hides and releases it
  view.visible = true;
  logic.ToggleByGesture();
  EXPECT_FALSE(view.visible);
  EXPECT_FALSE(logic.held());
  logic.TogglePin();  // pinned: a gesture only brings it to the pointer
  logic.ToggleByGesture();
  EXPECT_TRUE(view.visible);
  EXPECT_TRUE(logic.held());
}

TEST(LauncherLogic, TrayLeftClickShowsHeldOrHides) {
  FakeView view;
  LauncherLogic logic(view);
  EXPECT_EQ(logic.TrayClick(kTrayRightButtonDown), TrayOutcome::kOpenMenu);
  EXPECT_EQ(logic.TrayClick(512), TrayOutcome::kNone);
  EXPECT_EQ(logic.TrayClick(kTrayLeftButtonDown), TrayOutcome::kShown);
  EXPECT_TRUE(logic.held() && view.visible && view.pin);
  EXPECT_EQ(view.rect, (Rect{(1280 - 510) / 2, (1024 - 311) / 2, 510, 311}));
  EXPECT_EQ(logic.TrayClick(kTrayLeftButtonDown), TrayOutcome::kHidden);
  EXPECT_FALSE(logic.held() || view.visible || view.pin);
  // The double click's second press arrives as its own message and changes nothing.
  EXPECT_EQ(logic.TrayClick(515), TrayOutcome::kNone);
  EXPECT_FALSE(view.visible);
}

TEST(LauncherLogic, TrayCentresOnTheClickedMonitorAtItsDpi) {
  FakeView view;
  view.monitors = {{{0, 0, 1920, 1080}, 96}, {{1920, 0, 2880, 1620}, 144}};
  view.pointer = {4700, 1600};  // the tray of the second monitor
  LauncherLogic(view).TrayClick(kTrayLeftButtonDown);
  EXPECT_EQ(view.dpi, 144);
  EXPECT_EQ(view.rect, (Rect{1920 + (2880 - 765) / 2, (1620 - 467) / 2, 765, 467}));
}

class Gestures : public ::testing::Test {
 protected:
  void Event(int button, int action, std::uint32_t time, GestureBoxes boxes = {true, true}) {
    logic.MouseEvent({button, action}, time, boxes);
  }
  FakeView view;
  LauncherLogic logic{view};
};

TEST_F(Gestures, AQuickSideClickTogglesAndASlowOneDoesNothing) {
  Event(5, 1, 1000);
  Event(5, 2, 1299);
  EXPECT_TRUE(view.visible);
  logic.StartHeld(true);  // shown by hand: the next quick click hides it
  Event(5, 1, 2000);
  Event(5, 2, 2100);
  EXPECT_FALSE(view.visible);
  Event(5, 1, 3000);
  Event(5, 2, 3300);  // 300 ms is too slow
  EXPECT_FALSE(view.visible);
  Event(5, 2, 3400);  // a release without its press
  EXPECT_FALSE(view.visible);
  Event(5, 1, 0xFFFFFF80u);  // the time stamp wraps between press and release
  Event(5, 2, 0x40);
  EXPECT_TRUE(view.visible);
}

TEST_F(Gestures, AMiddleReleaseTogglesHoweverLongItWasHeld) {
  Event(3, 1, 0);
  Event(3, 2, 5000);
  EXPECT_TRUE(view.visible);
  Event(3, 2, 6000);  // visible and not held: a summon only brings it to the pointer
  EXPECT_TRUE(view.visible);
  Event(3, 1, 7000);  // a press alone does nothing
  EXPECT_TRUE(view.visible);
}

TEST_F(Gestures, UntickedBoxesAndEdgeDockingSilenceThem) {
  Event(3, 2, 0, {false, true});
  Event(5, 1, 0, {true, false});
  Event(5, 2, 10, {true, false});
  EXPECT_FALSE(view.visible);
  view.docking = true;
  Event(3, 2, 100);
  Event(5, 1, 200);
  Event(5, 2, 210);
  EXPECT_FALSE(view.visible);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(Gestures, ALeftReleaseFinishesTheGridsClick) {
  Event(1, 2, 0);
  EXPECT_EQ(view.calls, std::vector<std::string>{"finish click"});
}

TEST(LauncherLogic, TheHookPostsOnlyWhatTheWindowActsOn) {
  const std::uint64_t wanted = WantedMouseEvents();
  for (const velora::core::MouseEvent e : {velora::core::MouseEvent{3, 1}, {3, 2}, {5, 1}, {5, 2}, {1, 2}}) {
    EXPECT_TRUE(wanted & velora::core::EventBit(e)) << e.button << "," << e.action;
  }
  for (const velora::core::MouseEvent e : {velora::core::MouseEvent{0, 0}, {1, 1}, {2, 1}, {4, 4}, {6, 2}}) {
    EXPECT_FALSE(wanted & velora::core::EventBit(e)) << e.button << "," << e.action;
  }
}

TEST(LauncherLogic, TickHidesOnlyAnUnheldUndockedPanelThePointerLeftWithTheBoxTicked) {
  FakeView view;
  view.visible = true;
  view.pointer = {300, 300};
  LauncherLogic logic(view);
  logic.Tick(true);
  EXPECT_TRUE(view.visible);
  view.pointer = {10, 10};
  logic.Tick(false);
  EXPECT_TRUE(view.visible);
  logic.StartHeld(true);
  logic.Tick(true);
  EXPECT_TRUE(view.visible);
  logic.StartHeld(false);
  view.docking = true;
  logic.Tick(true);
  EXPECT_TRUE(view.visible);
  view.docking = false;
  logic.Tick(true);
  EXPECT_FALSE(view.visible);
}

TEST(LauncherLogic, GroupMenuOpensLeftAndBelowThePointer) {
  EXPECT_EQ(GroupMenuPosition({300, 200}).x, 250);
  EXPECT_EQ(GroupMenuPosition({300, 200}).y, 220);
  EXPECT_EQ(GroupMenuPosition({10, 0}).x, -40);  // the menu itself keeps to the screen
}
