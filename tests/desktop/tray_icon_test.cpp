// The tray icon against the shell under Wine: the icon is there while the object says so, and the
// owner window's messages are split between the handler and the window as the shell's would be.
#include "desktop/tray_icon_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "input_window.h"

namespace velora::desktop {
namespace {

using testing::RecordingWindow;

constexpr int kProgramIcon = 1;  // the program's icon, in this test program's resources
constexpr LRESULT kHandlerAnswer = 0x7A;

// Whether the shell holds the icon of `owner`: only an icon it has can be modified.
bool ShellHasIcon(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 1;
  data.uFlags = NIF_TIP;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void DeleteBehindItsBack(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 1;
  Shell_NotifyIconW(NIM_DELETE, &data);
}

class TrayIconTest : public ::testing::Test {
 protected:
  // Wine's shell without a tray on the display shows the icons in a window of its own, and
  // hiding that window when its last icon goes takes two seconds: one icon stays for the suite.
  static void SetUpTestSuite() {
    keeper_ = new RecordingWindow({0, 0, 10, 10}, false);
    keeper_icon_ = new TrayIcon;
    ASSERT_TRUE(keeper_icon_->Add(keeper_->hwnd(), GetModuleHandleW(nullptr), kProgramIcon, "keeper"));
  }
  static void TearDownTestSuite() {
    delete keeper_icon_;
    delete keeper_;
  }
  void SetUp() override {
    ASSERT_TRUE(owner.hwnd());
    ASSERT_TRUE(tray.Add(owner.hwnd(), GetModuleHandleW(nullptr), kProgramIcon, "Velora"));
  }
  void AttachRecorder() {
    ASSERT_TRUE(tray.Attach([this](unsigned code) {
      codes.push_back(code);
      return kHandlerAnswer;
    }));
    owner.Clear();
  }

  RecordingWindow owner{{0, 0, 200, 100}, false};
  TrayIcon tray;
  std::vector<unsigned> codes;
  static RecordingWindow* keeper_;
  static TrayIcon* keeper_icon_;
};
RecordingWindow* TrayIconTest::keeper_ = nullptr;
TrayIcon* TrayIconTest::keeper_icon_ = nullptr;

TEST_F(TrayIconTest, TheIconIsThereFromAddUntilRemove) {
  EXPECT_TRUE(tray.added());
  EXPECT_TRUE(ShellHasIcon(owner.hwnd()));
  tray.Remove();
  EXPECT_FALSE(tray.added());
  EXPECT_FALSE(ShellHasIcon(owner.hwnd()));
  tray.Remove();  // again: nothing left to do

  // Added again, with a tip longer than the shell keeps and characters outside ASCII.
  ASSERT_TRUE(
      tray.Add(owner.hwnd(), GetModuleHandleW(nullptr), kProgramIcon, std::string(200, 'x') + "启动器"));
  EXPECT_TRUE(ShellHasIcon(owner.hwnd()));
}

TEST_F(TrayIconTest, NoIconForADeadOwnerOrAMissingImage) {
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  TrayIcon other;
  EXPECT_FALSE(other.Add(gone, GetModuleHandleW(nullptr), kProgramIcon, "Velora"));
  EXPECT_FALSE(other.added());
  EXPECT_FALSE(other.Attach([](unsigned) { return LRESULT{0}; }));

  const RecordingWindow second({0, 0, 10, 10}, false);
  EXPECT_FALSE(other.Add(second.hwnd(), GetModuleHandleW(nullptr), 999, "Velora"));
  EXPECT_FALSE(ShellHasIcon(second.hwnd()));
}

TEST_F(TrayIconTest, ClicksGoToTheHandlerAndEverythingElseToTheWindow) {
  AttachRecorder();
  EXPECT_EQ(SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_LBUTTONDOWN), kHandlerAnswer);
  EXPECT_EQ(SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, MAKELPARAM(WM_RBUTTONDOWN, 1)),
            kHandlerAnswer);
  EXPECT_EQ(codes, (std::vector<unsigned>{513, 516}));
  EXPECT_EQ(owner.Count(kTrayCallbackMessage), 0) << "the window never sees the icon's messages";

  EXPECT_EQ(SendMessageW(owner.hwnd(), WM_APP + 5, 11, 22), RecordingWindow::kRecordingAnswer);
  ASSERT_EQ(owner.Only(WM_APP + 5, WM_APP + 5).size(), 1u);
  EXPECT_EQ(owner.Only(WM_APP + 5, WM_APP + 5)[0].wParam, 11u);
  EXPECT_EQ(owner.Only(WM_APP + 5, WM_APP + 5)[0].lParam, 22);
  EXPECT_EQ(codes.size(), 2u);
}

TEST_F(TrayIconTest, ARestartedTaskbarGetsTheIconBack) {
  AttachRecorder();
  const UINT taskbar_created = tray.taskbar_created_message();
  ASSERT_EQ(taskbar_created, RegisterWindowMessageW(L"TaskbarCreated"));

  // Explorer restarting forgets every icon, then tells every window.
  DeleteBehindItsBack(owner.hwnd());
  ASSERT_FALSE(ShellHasIcon(owner.hwnd()));
  EXPECT_EQ(SendMessageW(owner.hwnd(), taskbar_created, 0, 0), kHandlerAnswer);
  EXPECT_TRUE(ShellHasIcon(owner.hwnd()));
  EXPECT_TRUE(tray.added());
  // A taskbar re-created while the shell kept the icon (a DPI change) leaves it there.
  EXPECT_EQ(SendMessageW(owner.hwnd(), taskbar_created, 0, 0), kHandlerAnswer);
  EXPECT_TRUE(ShellHasIcon(owner.hwnd()));
  EXPECT_TRUE(tray.added());
  EXPECT_EQ(codes, (std::vector<unsigned>{kTrayTaskbarCreated, kTrayTaskbarCreated}));
  EXPECT_EQ(owner.Count(taskbar_created), 0);
}

TEST_F(TrayIconTest, TheOwnerDestroyedTellsTheHandlerAndTakesTheIconAlong) {
  AttachRecorder();
  const HWND hwnd = owner.hwnd();
  DestroyWindow(hwnd);
  EXPECT_EQ(codes, (std::vector<unsigned>{kTrayOwnerDestroyed}));
  EXPECT_EQ(owner.Count(WM_DESTROY), 1) << "WM_DESTROY goes on to the window";
  EXPECT_FALSE(tray.added());
  EXPECT_FALSE(ShellHasIcon(hwnd));
}

TEST_F(TrayIconTest, AHandlerMayEndTheIconItIsCalledFor) {
  // The tray menu's exit removes the icon and lets its object go from inside the handler.
  auto doomed = std::make_unique<TrayIcon>();
  ASSERT_TRUE(doomed->Add(owner.hwnd(), GetModuleHandleW(nullptr), kProgramIcon, "Velora"));
  tray.Remove();
  ASSERT_TRUE(doomed->Attach([&](unsigned code) {
    codes.push_back(code);
    doomed.reset();
    return kHandlerAnswer;
  }));
  EXPECT_EQ(SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_RBUTTONDOWN), kHandlerAnswer);
  EXPECT_EQ(doomed, nullptr);
  EXPECT_FALSE(ShellHasIcon(owner.hwnd()));
  owner.Clear();
  SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_RBUTTONDOWN);
  EXPECT_EQ(owner.Count(kTrayCallbackMessage), 1) << "unsubclassed once the handler returned";
  EXPECT_EQ(codes, (std::vector<unsigned>{516}));
}

// The drop target subclasses the same window on top; either may go first.
LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR seen) {
  if (message == kTrayCallbackMessage) ++*reinterpret_cast<int*>(seen);
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

TEST_F(TrayIconTest, ASubclassOnTopSeesEverythingFirstAndEitherMayGoFirst) {
  AttachRecorder();
  int seen_on_top = 0;
  ASSERT_TRUE(
      SetWindowSubclass(owner.hwnd(), &CountingSubclass, 1, reinterpret_cast<DWORD_PTR>(&seen_on_top)));
  SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_LBUTTONDOWN);
  EXPECT_EQ(seen_on_top, 1);
  EXPECT_EQ(codes.size(), 1u);

  // The tray goes first: the one on top keeps working and the window gets the message again.
  tray.Remove();
  SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_LBUTTONDOWN);
  EXPECT_EQ(seen_on_top, 2);
  EXPECT_EQ(codes.size(), 1u);
  EXPECT_EQ(owner.Count(kTrayCallbackMessage), 1);

  // Attached again, now on top of it; the one beneath goes first: the tray still gets its clicks.
  ASSERT_TRUE(tray.Add(owner.hwnd(), GetModuleHandleW(nullptr), kProgramIcon, "Velora"));
  AttachRecorder();
  ASSERT_TRUE(RemoveWindowSubclass(owner.hwnd(), &CountingSubclass, 1));
  SendMessageW(owner.hwnd(), kTrayCallbackMessage, 1, WM_RBUTTONDOWN);
  EXPECT_EQ(seen_on_top, 2);
  EXPECT_EQ(codes, (std::vector<unsigned>{513, 516}));
  EXPECT_EQ(owner.Count(kTrayCallbackMessage), 0);
}

}  // namespace
}  // namespace velora::desktop
