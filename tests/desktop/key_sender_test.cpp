// The key sender typing into a real edit control that has the keyboard focus.
#include "desktop/key_sender_win32.h"

#include <gtest/gtest.h>

#include <memory>

#include "desktop/window_at_pointer_win32.h"
#include "exec/macro_player.h"
#include "input_window.h"
#include "text/utf.h"

namespace velora::desktop {
namespace {

using testing::PumpUntil;
using testing::TextOf;

constexpr int kShift = VK_SHIFT, kCtrl = VK_CONTROL;

// The system's own edit selects everything on Ctrl+A only with the common controls of version 6,
// which a test program without a manifest does not get; programs add it as this does. The
// character 1 arrives only when Ctrl was down as the A went down.
WNDPROC edit_procedure = nullptr;
LRESULT CALLBACK SelectAllOnCtrlA(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CHAR && wparam == 1) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return 0;
  }
  return CallWindowProcW(edit_procedure, edit, message, wparam, lparam);
}

class KeySenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window_ = new testing::InputWindow(150, 150, 420, 80);
    edit_ = window_->AddChild(L"EDIT", {10, 10, 400, 40}, ES_AUTOHSCROLL);
    edit_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SelectAllOnCtrlA)));
  }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(edit_);
    SetWindowTextW(edit_, L"");
    ASSERT_TRUE(ActivateWindow(edit_));
    ASSERT_TRUE(PumpUntil([] { return GetFocus() == edit_; }, 2000));
  }

  // Sends the chord and waits for the edit to show `expected`.
  static ::testing::AssertionResult Type(const exec::KeyChord& chord, const std::wstring& expected) {
    KeySenderWin32 sender;
    if (!exec::SendChord(sender, chord))
      return ::testing::AssertionFailure() << "SendInput refused the events";
    if (PumpUntil([&] { return TextOf(edit_) == expected; }, 3000)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the edit holds \"" << text::Narrow(TextOf(edit_)) << "\"";
  }

  static inline testing::InputWindow* window_ = nullptr;
  static inline HWND edit_ = nullptr;
};

TEST_F(KeySenderTest, LettersArriveWithTheEmptyModifierSlotSent) {
  // The first modifier slot is empty: virtual key 0 goes down and up around the letter.
  EXPECT_TRUE(Type({.key = 'H'}, L"h"));
  EXPECT_TRUE(Type({.key = 'I'}, L"hi"));
  EXPECT_TRUE(Type({.key = '7'}, L"hi7"));
  EXPECT_EQ(TextOf(edit_), L"hi7");
}

TEST_F(KeySenderTest, ModifiersAreDownWhenTheMainKeyGoesDown) {
  // Shift is released before the letter: the letter's press still counts as shifted.
  EXPECT_TRUE(Type({.key = 'A', .modifier1 = kShift}, L"A"));
  EXPECT_TRUE(Type({.key = 'B'}, L"Ab"));
  // Ctrl+A selects everything, and the next letter replaces it.
  EXPECT_TRUE(Type({.key = 'A', .modifier1 = kCtrl}, L"Ab"));
  EXPECT_TRUE(Type({.key = 'X', .modifier1 = kShift}, L"X"));
  EXPECT_EQ(GetKeyState(kShift) & 0x8000, 0) << "every key is up again";
  EXPECT_EQ(GetKeyState(kCtrl) & 0x8000, 0);
}

TEST_F(KeySenderTest, ExtendedKeysMoveTheCaret) {
  EXPECT_TRUE(Type({.key = 'A'}, L"a"));
  EXPECT_TRUE(Type({.key = 'B'}, L"ab"));
  EXPECT_TRUE(Type({.key = VK_HOME}, L"ab"));
  EXPECT_TRUE(Type({.key = 'C'}, L"cab"));
  EXPECT_TRUE(Type({.key = VK_END}, L"cab"));
  EXPECT_TRUE(Type({.key = VK_LEFT}, L"cab"));
  EXPECT_TRUE(Type({.key = VK_DELETE}, L"ca"));
  EXPECT_TRUE(Type({.key = VK_BACK}, L"c"));
}

TEST_F(KeySenderTest, MacroChordOfThreeKeysArrivesInOrder) {
  EXPECT_TRUE(Type({.key = 'Q', .modifier1 = kShift}, L"Q"));
  // Ctrl+Shift+Left selects the word to the left; typing replaces it.
  EXPECT_TRUE(Type(exec::ChordOfMacro("17+16+37"), L"Q"));
  EXPECT_TRUE(Type({.key = 'Z'}, L"z"));
}

}  // namespace
}  // namespace velora::desktop
