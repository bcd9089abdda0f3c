// The mouse hook under real input: clicks injected with SendInput pass through it, the wanted
// ones are posted with their own time stamps, and every one still reaches the window under the
// pointer.
#include "desktop/mouse_hook_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "input_window.h"

namespace velora::desktop {
namespace {

using core::EventBits;
using testing::CentreOf;
using testing::PumpUntil;
using testing::RecordingWindow;

constexpr UINT kHookMessage = WM_APP + 0x31;
// The gestures' events: presses and releases of the middle and the upper side button.
constexpr std::uint64_t kGestures = EventBits({{3, 1}, {3, 2}, {5, 1}, {5, 2}});

INPUT MouseInput(DWORD flags, DWORD data, DWORD time, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  input.mi.time = time;
  return input;
}

struct Posted {
  int button, action;
  DWORD time;
  friend bool operator==(const Posted&, const Posted&) = default;
};

// One shown window for the suite: Wine takes seconds to take a shown window down.
class MouseHookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window_ = new RecordingWindow({300, 200, 600, 400}, true); }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(window_->hwnd());
    const POINT centre = CentreOf(window_->hwnd());
    ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
    PumpUntil([] { return false; }, 50);
    window_->Clear();
  }

  static std::vector<Posted> PostedEvents() {
    std::vector<Posted> posted;
    for (const MSG& m : window_->Only(kHookMessage, kHookMessage)) {
      posted.push_back({LOWORD(m.wParam), HIWORD(m.wParam), static_cast<DWORD>(m.lParam)});
    }
    return posted;
  }

  static RecordingWindow* window_;
};
RecordingWindow* MouseHookTest::window_ = nullptr;

TEST_F(MouseHookTest, WantedEventsArePostedInOrderAndEveryEventPassesOn) {
  const auto hook = MouseHook::Install(window_->hwnd(), kHookMessage, kGestures);
  ASSERT_NE(hook, nullptr);
  // Stamps of our own, so the posted time is seen to be the event's and not the moment of posting.
  const DWORD t = GetTickCount() - 5000;
  INPUT inputs[] = {
      MouseInput(MOUSEEVENTF_MOVE, 0, t + 1, 3, 2),
      MouseInput(MOUSEEVENTF_RIGHTDOWN, 0, t + 2),
      MouseInput(MOUSEEVENTF_RIGHTUP, 0, t + 3),
      MouseInput(MOUSEEVENTF_XDOWN, XBUTTON1, t + 4),
      MouseInput(MOUSEEVENTF_XUP, XBUTTON1, t + 5),
      MouseInput(MOUSEEVENTF_MIDDLEDOWN, 0, t + 6),
      MouseInput(MOUSEEVENTF_MIDDLEUP, 0, t + 7),
      MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA), t + 8),
      MouseInput(MOUSEEVENTF_XDOWN, XBUTTON2, t + 9),
      MouseInput(MOUSEEVENTF_XUP, XBUTTON2, t + 10),
  };
  ASSERT_EQ(SendInput(static_cast<UINT>(std::size(inputs)), inputs, sizeof(INPUT)), std::size(inputs));

  EXPECT_TRUE(
      PumpUntil([] { return window_->Count(WM_XBUTTONUP) == 2 && PostedEvents().size() >= 4; }, 3000));
  const std::vector<Posted> expected = {{3, 1, t + 6}, {3, 2, t + 7}, {5, 1, t + 9}, {5, 2, t + 10}};
  EXPECT_EQ(PostedEvents(), expected);

  // Never swallowed: the window under the pointer got every click, the unwanted ones too.
  EXPECT_EQ(window_->Count(WM_MBUTTONDOWN), 1);
  EXPECT_EQ(window_->Count(WM_MBUTTONUP), 1);
  EXPECT_EQ(window_->Count(WM_RBUTTONUP), 1);
  EXPECT_EQ(window_->Count(WM_MOUSEWHEEL), 1);
  std::vector<WORD> side_buttons;
  for (const MSG& m : window_->Only(WM_XBUTTONDOWN, WM_XBUTTONUP)) side_buttons.push_back(HIWORD(m.wParam));
  EXPECT_EQ(side_buttons, (std::vector<WORD>{XBUTTON1, XBUTTON1, XBUTTON2, XBUTTON2}));
}

TEST_F(MouseHookTest, OneHookAtATimeAndNothingPostedOnceItIsGone) {
  auto hook = MouseHook::Install(window_->hwnd(), kHookMessage, kGestures);
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(MouseHook::Install(window_->hwnd(), kHookMessage, kGestures), nullptr);
  hook.reset();

  INPUT click[] = {MouseInput(MOUSEEVENTF_MIDDLEDOWN, 0, 0), MouseInput(MOUSEEVENTF_MIDDLEUP, 0, 0)};
  ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
  // The window gets the release after a hook would have posted the press and the release.
  EXPECT_TRUE(PumpUntil([] { return window_->Count(WM_MBUTTONUP) == 1; }, 3000));
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(PostedEvents().empty());

  // Gone for good, so the next one may take its place and gets its events.
  hook = MouseHook::Install(window_->hwnd(), kHookMessage, EventBits({{3, 1}}));
  ASSERT_NE(hook, nullptr);
  ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
  EXPECT_TRUE(PumpUntil([] { return window_->Count(WM_MBUTTONUP) == 2; }, 3000));
  PumpUntil([] { return false; }, 100);
  ASSERT_EQ(PostedEvents().size(), 1u);
  EXPECT_EQ(PostedEvents()[0].button, 3);
  EXPECT_EQ(PostedEvents()[0].action, 1);
}

}  // namespace
}  // namespace velora::desktop
