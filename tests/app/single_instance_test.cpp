#include <gtest/gtest.h>

#include <string>

#include "app/single_instance_win32.h"
#include "support/message_pump_win32.h"

using velora::app::BringRunningCopyForward;
using velora::app::SingleInstance;

namespace {

std::wstring UniqueName(const wchar_t* base) {
  return std::wstring(base) + std::to_wstring(GetCurrentProcessId());
}

LRESULT CALLBACK PlainProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND MakeWindow(const std::wstring& class_name, const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = class_name.c_str();
  RegisterClassW(&wc);
  return CreateWindowExW(0, class_name.c_str(), title, WS_POPUP, 10, 10, 100, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

}  // namespace

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstReleases) {
  const std::wstring name = UniqueName(L"VeloraTest");
  SingleInstance first(name);
  SingleInstance second(name);
  ASSERT_TRUE(first.Acquire());
  EXPECT_FALSE(second.Acquire());
  EXPECT_FALSE(second.Held());
  first.Release();
  EXPECT_TRUE(second.Acquire());
}

TEST(SingleInstance, HandOverShowsTheRunningWindowAndLeavesItNotTopmost) {
  const std::wstring class_name = UniqueName(L"VeloraTestClass");
  HWND running = MakeWindow(class_name, L"Velora");
  HWND own = MakeWindow(class_name, L"Velora");
  ASSERT_TRUE(running && own);
  ASSERT_FALSE(IsWindowVisible(running));

  BringRunningCopyForward(own, class_name.c_str(), L"Velora");

  wchar_t title[16] = L"x";
  GetWindowTextW(own, title, 16);
  EXPECT_STREQ(title, L"");
  // ShowWindowAsync reaches the window through its queue.
  EXPECT_TRUE(velora::testing::PumpUntil([&] { return IsWindowVisible(running) != FALSE; }, 5000));
  EXPECT_FALSE(IsWindowVisible(own));
  EXPECT_EQ(GetWindowLongW(running, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  DestroyWindow(own);
  DestroyWindow(running);
}
