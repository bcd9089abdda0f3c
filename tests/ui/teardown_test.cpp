// The launcher and tip windows made and torn down in every order the program takes (exit,
// restart, a second copy handing over, a DPI change before exit), again and again: nothing may
// crash, no exit step may reach a half-destroyed window, and no window, GDI object or kernel
// handle may be left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/options.h"
#include "support/message_pump_win32.h"
#include "toolkit/control_host.h"
#include "toolkit/gdiplus.h"
#include "ui/feedback.h"
#include "ui/launcher_test_parts.h"
#include "ui/launcher_window.h"

namespace velora::ui {
namespace {

using test_parts::Parts;

// Does at exit what the program does: reads the window's size and saves every control's state.
class ExitingHost final : public LauncherHost {
 public:
  ExitingHost(bool accept, std::filesystem::path settings_file)
      : accept_(accept), settings_file_(std::move(settings_file)) {}
  void Attach(LauncherWindow& window) { window_ = &window; }
  bool OnLauncherCreate(HWND) override { return accept_; }
  void OnLauncherShown() override {}
  void OnStartupComplete() override {}
  void OnLauncherDestroy() override {
    ++destroyed;
    if (!window_ || !window_->hwnd()) return;
    last_size = window_->DesignSize();
    saved = window_->SaveSettings(settings_file_, settings::Options{});
  }
  void OnSessionEnding() override {}
  void OnMenuCommand(MenuCommand) override {}
  bool BeforeBulkRemoval() override { return true; }
  void OnResizeFinished(Size) override {}

  int destroyed = 0;
  Size last_size;
  bool saved = false;

 private:
  bool accept_;
  std::filesystem::path settings_file_;
  LauncherWindow* window_ = nullptr;
};

struct Usage {
  DWORD gdi;
  DWORD user;
  DWORD handles;
};

Usage Measure() {
  Usage u{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
  GetProcessHandleCount(GetCurrentProcess(), &u.handles);
  return u;
}

int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND, LPARAM counter) {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

void Pump() { velora::testing::PumpPending(); }

enum class Order {
  kExit,         // the loop ended: the window destroyed explicitly, then the object
  kObjectsOnly,  // the object goes with its windows still alive
  kDpiChange,    // the DPI changes and back, then the object goes
};

class TeardownTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = std::make_unique<toolkit::GdiplusSession>(); }
  static void TearDownTestSuite() { gdiplus_.reset(); }

  void RunOnce(Order order) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    ExitingHost host(true, store_.folder / L"Velora.ini");
    settings::OptionsHolder options;
    auto launcher = std::make_unique<LauncherWindow>(test_parts::ServicesFor(options, store_));
    host.Attach(*launcher);
    ASSERT_TRUE(launcher->Create(instance, host, *gdiplus_));
    Pump();  // the hidden parts and the tip window, built once the panel has shown
    ShowWindow(launcher->hwnd(), SW_SHOW);
    UpdateWindow(launcher->hwnd());
    Parts::feedback(*launcher).ShowTip(true, "提示文字");
    launcher->ShowToast(ToastKind::kDone, "完成了");
    Pump();

    switch (order) {
      case Order::kExit:
        launcher->Destroy();
        EXPECT_EQ(host.destroyed, 1);
        EXPECT_EQ(host.last_size, (Size{kLauncherWidth, kLauncherHeight}));
        EXPECT_TRUE(host.saved);
        break;
      case Order::kObjectsOnly:
        break;
      case Order::kDpiChange: {
        RECT r{};
        GetWindowRect(launcher->hwnd(), &r);
        for (WORD dpi : {WORD{144}, WORD{96}}) {
          SendMessageW(launcher->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
          RedrawWindow(launcher->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
          Pump();
        }
        break;
      }
    }
    launcher.reset();
    Pump();
    // The exit steps ran once, on the whole window, whichever way it went.
    EXPECT_EQ(host.destroyed, 1);
  }

  void SetUp() override { ASSERT_TRUE(store_.Make()); }

  static inline std::unique_ptr<toolkit::GdiplusSession> gdiplus_;
  test_parts::StoreFolder store_{"teardown"};
};

}  // namespace

TEST_F(TeardownTest, EveryOrderLeavesNoWindowsAndNoHandlesBehind) {
  for (Order order : {Order::kExit, Order::kObjectsOnly, Order::kDpiChange}) {
    SCOPED_TRACE(static_cast<int>(order));
    RunOnce(order);  // the first round loads what stays loaded (classes, fonts, GDI+ caches)
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ThreadWindows(), 0);
    const Usage before = Measure();
    for (int round = 0; round < 3; ++round) {
      RunOnce(order);
      ASSERT_FALSE(HasFatalFailure());
    }
    const Usage after = Measure();
    EXPECT_EQ(ThreadWindows(), 0);
    // Wine answers 0 to both counts; Windows counts every GDI and USER object and kernel handle.
    if (before.gdi > 0) {
      EXPECT_EQ(after.gdi, before.gdi);
      EXPECT_EQ(after.user, before.user);
    }
    if (before.handles > 0) {
      EXPECT_EQ(after.handles, before.handles);
    }
  }
}

TEST_F(TeardownTest, SecondCopyHandingOverRefusesCreationCleanly) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int round = 0; round < 5; ++round) {
    ExitingHost host(false, {});  // as a second copy does after bringing the first forward
    settings::OptionsHolder options;
    LauncherWindow launcher(test_parts::ServicesFor(options, store_));
    host.Attach(launcher);
    EXPECT_FALSE(launcher.Create(instance, host, *gdiplus_));
    EXPECT_EQ(launcher.hwnd(), nullptr);
    // Windows sends WM_DESTROY to a window whose creation was refused; Wine does not.
    EXPECT_LE(host.destroyed, 1);
  }
  EXPECT_EQ(ThreadWindows(), 0);
}

}  // namespace velora::ui
