// A macro played with the real desktop pieces into another thread's window under the pointer;
// only the panel is the test's own window.
#include <gtest/gtest.h>

#include "desktop/key_sender_win32.h"
#include "desktop/pumping_wait_win32.h"
#include "desktop/window_at_pointer_win32.h"
#include "exec/macro_player.h"
#include "input_window.h"

namespace velora::desktop {
namespace {

using testing::CentreOf;
using testing::PumpUntil;
using testing::TextOf;

class PanelStage : public exec::MacroStage {
 public:
  explicit PanelStage(HWND panel) : panel_(panel) {}
  void HidePanel() override { ShowWindow(panel_, SW_HIDE); }
  void Pause(int milliseconds) override { PumpingWait(static_cast<DWORD>(milliseconds)); }
  void ActivateWindowAtPointer(bool root_owner) override { desktop::ActivateWindowAtPointer(root_owner); }
  bool PanelHeld() const override { return true; }
  void ShowPanel() override { ShowWindow(panel_, SW_SHOWNA); }

 private:
  HWND panel_;
};

TEST(PlayMacro, KeysReachTheFocusedControlOfTheWindowUnderThePointer) {
  const testing::OtherThreadWindow target;
  ASSERT_TRUE(target.first());
  const testing::InputWindow panel(250, 380, 200, 150);  // over the pointer until it hides
  SetForegroundWindow(panel.hwnd());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == panel.hwnd(); }, 2000));

  // The pointer rests on the target's second control; the macro goes to its main window, whose
  // focused control (the first) receives the keys.
  const POINT over_target = CentreOf(target.second());
  ASSERT_TRUE(SetCursorPos(over_target.x, over_target.y));
  PanelStage stage(panel.hwnd());
  KeySenderWin32 keys;
  exec::PlayMacro("热键16+0+75", stage, keys);  // Shift+K

  EXPECT_TRUE(PumpUntil([&] { return TextOf(target.first()) == L"K"; }, 3000));
  EXPECT_EQ(TextOf(target.second()), L"");
  EXPECT_EQ(GetForegroundWindow(), target.hwnd());
  EXPECT_TRUE(IsWindowVisible(panel.hwnd())) << "a held panel comes back";
}

}  // namespace
}  // namespace velora::desktop
