#include "desktop/pumping_wait_win32.h"

#include <gtest/gtest.h>

namespace velora::desktop {
namespace {

int ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

TEST(PumpingWait, TimersRunDuringTheWaitAndTheWaitLasts) {
  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CountTick);
  ASSERT_NE(timer, 0u);
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(PumpingWait(200));
  const ULONGLONG elapsed = GetTickCount64() - start;
  KillTimer(nullptr, timer);
  EXPECT_GE(elapsed, 200u);
  EXPECT_LT(elapsed, 1000u);
  EXPECT_GE(ticks, 3);
}

TEST(PumpingWait, QuitEndsTheWaitAndStaysForTheMainLoop) {
  PostQuitMessage(7);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(PumpingWait(3000));
  EXPECT_LT(GetTickCount64() - start, 1000u);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace velora::desktop
