// The clock screensaver as the launcher writes it on its first run, started as Windows starts
// screensavers and ended as a person would.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/velora_process.h"

using namespace velora::e2e;

namespace {

constexpr wchar_t kClockClass[] = L"VeloraFlipIt";

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<HWND> VisibleTopLevelWindows(DWORD process, const wchar_t* class_name) {
  struct Search {
    DWORD process;
    const wchar_t* class_name;
    std::vector<HWND> found;
  } search{process, class_name, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == s->process && IsWindowVisible(window) && std::wstring(name) == s->class_name) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<RECT> Monitors() {
  std::vector<RECT> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT rect, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<RECT>*>(param)->push_back(*rect);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

// Waits while answering the messages another process sends to this thread's windows.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD limit_ms = 5000) {
  return WaitUntil(
      [&] {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return condition();
      },
      limit_ms);
}

// One first run of the launcher for the whole suite: its data directory holds the screensaver.
class ScreensaverTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    install_ = new velora::testing::TempFolder;
    const std::filesystem::path exe = install_->path() / L"Velora.exe";
    std::filesystem::copy_file(BuiltExecutable(), exe);
    VeloraProcess velora(exe);
    if (velora.WaitForWindow()) (void)velora.Close();
  }
  static void TearDownTestSuite() {
    delete install_;
    install_ = nullptr;
  }

  static std::filesystem::path Screensaver() { return install_->path() / L"配置" / L"FlipIt.scr"; }

  // The clock windows of a running screensaver, once they show and have painted.
  static std::vector<HWND> WaitForClocks(const VeloraProcess& saver) {
    std::vector<HWND> windows;
    WaitUntil([&] {
      windows = VisibleTopLevelWindows(saver.id(), kClockClass);
      return !windows.empty();
    });
    Sleep(500);
    return windows;
  }

  static inline velora::testing::TempFolder* install_ = nullptr;
};

}  // namespace

TEST_F(ScreensaverTest, TheFirstRunWritesTheCarriedScreensaverWhichRunsFullScreenUntilAKeyIsPressed) {
  ASSERT_TRUE(std::filesystem::exists(Screensaver()));
  EXPECT_EQ(FileBytes(Screensaver()), FileBytes(EmbeddedScreensaver()));

  VeloraProcess saver(Screensaver(), L"/s");
  ASSERT_TRUE(saver.Started());
  const std::vector<HWND> clocks = WaitForClocks(saver);
  ASSERT_FALSE(clocks.empty());
  // A topmost window on every monitor, covering it exactly.
  for (const RECT& monitor : Monitors()) {
    bool covered = false;
    for (HWND clock : clocks) {
      RECT r{};
      GetWindowRect(clock, &r);
      covered |= EqualRect(&r, &monitor) != FALSE;
      EXPECT_NE(GetWindowLongW(clock, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    }
    EXPECT_TRUE(covered) << "monitor " << monitor.left << "," << monitor.top << " " << monitor.right << ","
                         << monitor.bottom;
  }
  EXPECT_TRUE(SaveScreenshot(clocks.front(), L"flipit_fullscreen.png"));

  EXPECT_EQ(saver.WaitForExit(0), std::nullopt);
  PressKey(VK_SPACE);
  EXPECT_EQ(saver.WaitForExit(5000), 0u);
}

TEST_F(ScreensaverTest, TheSystemListsItByItsChineseNameAndItDrawsInEachMonitorsOwnPixels) {
  HMODULE module = LoadLibraryExW(Screensaver().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr);
  // The screensaver list shows string 1 of the file.
  wchar_t name[64] = {};
  LoadStringW(module, 1, name, 64);
  EXPECT_EQ(std::wstring(name), L"Velora 翻页时钟");
  // Without per-monitor awareness Windows would stretch the clock's bitmap on a scaled monitor.
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // the manifest
  ASSERT_NE(found, nullptr);
  const char* manifest = static_cast<const char*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(manifest, nullptr);
  EXPECT_NE(std::string(manifest, SizeofResource(module, found)).find(">PerMonitorV2<"), std::string::npos);
  FreeLibrary(module);
}

TEST_F(ScreensaverTest, ANudgeOfTheMouseKeepsItRunningAClickOrARealMoveEndsIt) {
  POINT start{400, 300};
  MoveMouse(start);
  {
    VeloraProcess saver(Screensaver(), L"/s");
    ASSERT_FALSE(WaitForClocks(saver).empty());
    MovePointer({start.x + 2, start.y + 1});
    MovePointer({start.x - 1, start.y - 2});
    Sleep(500);
    EXPECT_FALSE(VisibleTopLevelWindows(saver.id(), kClockClass).empty()) << "a nudge ended the screensaver";
    EXPECT_EQ(saver.WaitForExit(0), std::nullopt);
    MovePointer({start.x + 40, start.y + 30});
    EXPECT_EQ(saver.WaitForExit(5000), 0u) << "a real move did not end the screensaver";
  }
  {
    VeloraProcess saver(Screensaver(), L"/s");
    ASSERT_FALSE(WaitForClocks(saver).empty());
    Click({start.x + 40, start.y + 30});  // where the pointer already is
    EXPECT_EQ(saver.WaitForExit(5000), 0u) << "a click did not end the screensaver";
  }
}

TEST_F(ScreensaverTest, ThePreviewIsAChildFillingTheGivenWindowAndEndsWithIt) {
  HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 200, 200, 304, 224,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(frame, nullptr);
  VeloraProcess saver(Screensaver(), L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(frame)));
  HWND preview = nullptr;
  ASSERT_TRUE(
      PumpUntil([&] { return (preview = FindWindowExW(frame, nullptr, kClockClass, nullptr)) != nullptr; }));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(preview) != FALSE; }));
  RECT client{}, shown{};
  GetClientRect(frame, &client);
  GetClientRect(preview, &shown);
  EXPECT_TRUE(EqualRect(&client, &shown));
  EXPECT_TRUE(VisibleTopLevelWindows(saver.id(), kClockClass).empty())
      << "the preview opened a window of its own";
  // No screenshot: Wine shows nothing that another process draws into a child window.
  EXPECT_EQ(saver.WaitForExit(300), std::nullopt);

  DestroyWindow(frame);
  EXPECT_TRUE(PumpUntil([&] { return saver.WaitForExit(0).has_value(); }));
  EXPECT_EQ(saver.WaitForExit(0), 0u);
}

TEST_F(ScreensaverTest, TheSettingsSayInChineseThatThereIsNothingToSet) {
  VeloraProcess saver(Screensaver(), L"/c");
  std::vector<HWND> dialogs;
  ASSERT_TRUE(WaitUntil([&] { return !(dialogs = VisibleTopLevelWindows(saver.id(), L"#32770")).empty(); }));
  wchar_t title[64] = {};
  GetWindowTextW(dialogs.front(), title, 64);
  EXPECT_EQ(std::wstring(title), L"Velora 翻页时钟屏保");
  bool says_no_options = false;
  EnumChildWindows(
      dialogs.front(),
      [](HWND child, LPARAM param) -> BOOL {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (std::wstring(text).find(L"没有可以设置的选项") != std::wstring::npos)
          *reinterpret_cast<bool*>(param) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&says_no_options));
  EXPECT_TRUE(says_no_options);
  Sleep(300);
  EXPECT_TRUE(SaveScreenshot(dialogs.front(), L"flipit_settings.png"));
  PressKey(VK_RETURN);
  EXPECT_EQ(saver.WaitForExit(5000), 0u);
}
