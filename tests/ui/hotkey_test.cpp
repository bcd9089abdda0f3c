// The call-up hotkey with real key presses injected by SendInput: the registered function key
// raises WM_HOTKEY with its id, and a key no longer registered raises nothing.
#include "ui/hotkey_win32.h"

#include <gtest/gtest.h>

#include <optional>

namespace velora::ui {
namespace {

class HotkeyWindow {
 public:
  HotkeyWindow()
      : hwnd_(
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
  ~HotkeyWindow() { DestroyWindow(hwnd_); }
  HotkeyWindow(const HotkeyWindow&) = delete;
  HotkeyWindow& operator=(const HotkeyWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

void Press(UINT key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(key);
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
}

// The id of the next WM_HOTKEY for `window`, waited for up to `limit_ms`.
std::optional<WPARAM> NextHotkey(HWND window, DWORD limit_ms = 2000) {
  const ULONGLONG until = GetTickCount64() + limit_ms;
  for (;;) {
    MSG message;
    if (PeekMessageW(&message, window, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) return message.wParam;
    // Dispatches whatever else arrived, so the input keeps flowing.
    while (PeekMessageW(&message, nullptr, 0, WM_HOTKEY - 1, PM_REMOVE)) DispatchMessageW(&message);
    if (GetTickCount64() >= until) return std::nullopt;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Presses `key` and then a marker key registered on another window: once the marker's hotkey
// has arrived, the first press has been handled, so nothing pending means it raised nothing.
bool RaisesNothing(HWND window, UINT key) {
  const HotkeyWindow marker_window;
  WindowHotkey marker(marker_window.hwnd());
  EXPECT_TRUE(marker.RegisterFunctionKey(5));  // F6
  Press(key);
  Press(VK_F6);
  EXPECT_TRUE(NextHotkey(marker_window.hwnd()).has_value());
  MSG message;
  return !PeekMessageW(&message, window, WM_HOTKEY, WM_HOTKEY, PM_REMOVE);
}

TEST(WindowHotkey, TheKeyRaisesItsIdAndEachRegistrationTakesTheNextId) {
  const HotkeyWindow window;
  WindowHotkey hotkey(window.hwnd());
  EXPECT_EQ(hotkey.id(), 0);
  ASSERT_TRUE(hotkey.RegisterFunctionKey(7));  // F8
  EXPECT_EQ(hotkey.id(), kFirstHotkeyId);
  Press(VK_F8);
  EXPECT_EQ(NextHotkey(window.hwnd()), WPARAM{33001});

  ASSERT_TRUE(hotkey.RegisterFunctionKey(6));  // F7 instead
  EXPECT_EQ(hotkey.id(), 33002);
  Press(VK_F7);
  EXPECT_EQ(NextHotkey(window.hwnd()), WPARAM{33002});
  EXPECT_TRUE(RaisesNothing(window.hwnd(), VK_F8)) << "the old key is released";

  hotkey.Unregister();
  EXPECT_EQ(hotkey.id(), 0);
  EXPECT_TRUE(RaisesNothing(window.hwnd(), VK_F7));
}

TEST(WindowHotkey, AKeyHeldElsewhereFailsAndTheOldKeyIsGoneToo) {
  const HotkeyWindow holder_window;
  WindowHotkey holder(holder_window.hwnd());
  ASSERT_TRUE(holder.RegisterFunctionKey(8));  // F9, as another program would hold it

  const HotkeyWindow window;
  WindowHotkey hotkey(window.hwnd());
  ASSERT_TRUE(hotkey.RegisterFunctionKey(7));  // F8
  EXPECT_FALSE(hotkey.RegisterFunctionKey(8));
  EXPECT_EQ(hotkey.id(), 0);
  EXPECT_TRUE(RaisesNothing(window.hwnd(), VK_F8));
  Press(VK_F9);
  EXPECT_EQ(NextHotkey(holder_window.hwnd()), WPARAM{33001}) << "the holder keeps its key";

  EXPECT_FALSE(hotkey.RegisterFunctionKey(12)) << "no function key past F12";
  EXPECT_FALSE(hotkey.RegisterFunctionKey(-1));
  // Refusals leave nothing behind: the next choice registers and works.
  ASSERT_TRUE(hotkey.RegisterFunctionKey(7));
  Press(VK_F8);
  EXPECT_EQ(NextHotkey(window.hwnd()), static_cast<WPARAM>(hotkey.id()));
}

}  // namespace
}  // namespace velora::ui
