// The window under the pointer and its activation, on real windows.
#include "desktop/window_at_pointer_win32.h"

#include <gtest/gtest.h>

#include <memory>

#include "input_window.h"

namespace velora::desktop {
namespace {

using testing::CentreOf;
using testing::InputWindow;
using testing::OtherThreadWindow;
using testing::PumpUntil;

TEST(WindowAtPoint, SmallerLaterSiblingUnderTheTopmostChildWins) {
  const InputWindow window(450, 100, 300, 200);
  // The large control is on top in z-order and covers the small one, as a group box covers the
  // controls inside it.
  HWND large = window.AddChild(L"EDIT", {10, 10, 290, 190});
  HWND small = window.AddChild(L"EDIT", {100, 80, 160, 110});
  ASSERT_TRUE(large && small);
  SetWindowPos(large, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ASSERT_EQ(WindowFromPoint(CentreOf(small)), large) << "the system's hit test finds the top child";

  EXPECT_EQ(WindowAtPoint(CentreOf(small)), small);
  POINT outside_small{30, 30};
  ClientToScreen(window.hwnd(), &outside_small);
  EXPECT_EQ(WindowAtPoint(outside_small), large);
  ShowWindow(small, SW_HIDE);
  EXPECT_EQ(WindowAtPoint(CentreOf(small)), large);
}

TEST(WindowAtPoint, TopLevelAndOwnedWindowsAreTheirOwnAnswer) {
  const InputWindow owner(450, 350, 300, 200);
  EXPECT_EQ(WindowAtPoint(CentreOf(owner.hwnd())), owner.hwnd());

  // A small window owned by another: its owner lies under it, yet it stays the answer.
  HWND owned = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 550, 400, 60, 40,
                               owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owned);
  EXPECT_EQ(WindowAtPoint(CentreOf(owned)), owned);
  DestroyWindow(owned);
}

TEST(ActivateWindowAtPointer, ControlOfAnotherThreadGetsTheFocus) {
  const InputWindow ours(100, 100, 200, 100);
  SetForegroundWindow(ours.hwnd());
  const OtherThreadWindow other;
  ASSERT_TRUE(other.second());
  ASSERT_TRUE(PumpUntil([&] { return other.Focus() == other.first(); }, 2000));

  const POINT over_second = CentreOf(other.second());
  ASSERT_TRUE(SetCursorPos(over_second.x, over_second.y));
  ASSERT_EQ(WindowAtPointer(), other.second());
  EXPECT_TRUE(ActivateWindowAtPointer(false));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.hwnd(); }, 2000));
  EXPECT_TRUE(PumpUntil([&] { return other.Focus() == other.second(); }, 2000));
}

TEST(ActivateWindowAtPointer, RootOwnerOfAToolWindowComesToTheFront) {
  const InputWindow owner(100, 100, 200, 100);
  const InputWindow elsewhere(500, 100, 200, 100);
  HWND tool = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 400, 300, 120, 40,
                              owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(tool);
  SetForegroundWindow(elsewhere.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == elsewhere.hwnd(); }, 2000));

  const POINT over_tool = CentreOf(tool);
  ASSERT_TRUE(SetCursorPos(over_tool.x, over_tool.y));
  EXPECT_TRUE(ActivateWindowAtPointer(true));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == owner.hwnd(); }, 2000));
  DestroyWindow(tool);
}

TEST(ActivateWindow, NothingToActivate) {
  EXPECT_FALSE(ActivateWindow(nullptr));
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_FALSE(ActivateWindow(gone));
}

}  // namespace
}  // namespace velora::desktop
