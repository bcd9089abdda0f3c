// Launching items of the real program with real clicks: a bookmark opens its address with the
// system's browser (a recorder program stands in for it), a text snippet lands on the clipboard.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

// The centre of a grid cell on the screen.
POINT CellCentre(HWND grid, int cell) {
  RECT r{};
  GetWindowRect(grid, &r);
  const int columns = (r.right - r.left) / 77;
  return {r.left + (cell % columns) * 77 + 38, r.top + (cell / columns) * 90 + 35};
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class LaunchTest : public InstalledCopyTest {
 protected:
  void SetUp() override {
    InstalledCopyTest::SetUp();
    recorder = folder.path() / L"浏览器.exe";
    std::filesystem::copy_file(VELORA_RECORDER, recorder);
  }
  void TearDown() override {
    for (const wchar_t* scheme : {L"http", L"https"}) {
      const std::wstring key = std::wstring(scheme) + L"\\shell\\open\\command";
      if (saved_[scheme].empty()) {
        RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr);
      } else {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, saved_[scheme].c_str(),
                        static_cast<DWORD>((saved_[scheme].size() + 1) * sizeof(wchar_t)));
      }
    }
  }

  // Addresses open with the recorder, which logs what it was given.
  void RecordAddresses() {
    const std::wstring command = L"\"" + recorder.wstring() + L"\" \"%1\"";
    for (const wchar_t* scheme : {L"http", L"https"}) {
      const std::wstring key = std::wstring(scheme) + L"\\shell\\open\\command";
      wchar_t old[1024] = {};
      DWORD size = sizeof old;
      if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) ==
          ERROR_SUCCESS) {
        saved_[scheme] = old;
      }
      ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
                ERROR_SUCCESS);
    }
  }

  std::string Recorded() {
    const std::filesystem::path log = recorder.wstring() + L".log";
    WaitUntil([&] { return std::filesystem::exists(log); }, 10000);
    Sleep(100);
    std::ostringstream text;
    text << std::ifstream(log, std::ios::binary).rdbuf();
    return text.str();
  }

  // A first run writes the store; then `code` of `category` becomes the newest item: cell 0.
  void MakeFirst(const char* category, const char* code) {
    {
      VeloraProcess first(exe);
      ASSERT_NE(first.WaitForWindow(), nullptr);
      ASSERT_EQ(first.Close(), 0u);
    }
    velora::store::Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    ASSERT_TRUE(velora::store::RecordLaunch(db, category, code, "2099-01-01 00:00:00"));
  }

  std::filesystem::path recorder;
  std::map<std::wstring, std::wstring> saved_;
};

// A plain window of the test's own under the whole panel, made before the panel shows.
class Backdrop {
 public:
  Backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeloraTestBackdrop";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"背景", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              wc.hInstance, nullptr);
    Pump();
  }
  ~Backdrop() { DestroyWindow(window_); }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;
  HWND get() const { return window_; }
  static void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

 private:
  HWND window_;
};

}  // namespace

TEST_F(LaunchTest, ABookmarkOpensItsAddressInTheBrowser) {
  RecordAddresses();
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"书签"));
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  Sleep(300);
  Click(CellCentre(grid, 0));  // 哔哩哔哩, the newest bookmark
  const std::string log = Recorded();
  EXPECT_NE(log.find("https://www.bilibili.com/"), std::string::npos) << log;
  // Started by hand, the panel is held: it stays after the launch.
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, ATextSnippetIsPutOnTheClipboardAndConfirmedWhileHeld) {
  MakeFirst("软件", "系统我的电脑");  // the first run writes the store
  {
    velora::store::Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    velora::store::ItemRow row;
    row.code = "$$文本$$你好，世界 😀";
    row.name = "问候";
    row.suffix = "文本";
    row.date = "2100-01-01 00:00:00";  // newest: the first cell
    ASSERT_TRUE(velora::store::AddItem(db, "软件", row));
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  Click(CellCentre(grid, 0));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"你好，世界 😀"; }));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(SaveScreenshot(window, L"launch_snippet_toast.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, PinOnTopMakesTheWindowUnderThePointerTopmostAndTheHeldPanelReturns) {
  MakeFirst("热键", "功能置顶窗口");
  Backdrop backdrop;
  ASSERT_NE(backdrop.get(), nullptr);
  ASSERT_EQ(GetWindowLongW(backdrop.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"热键"));
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  Sleep(300);
  Click(CellCentre(grid, 0));
  EXPECT_TRUE(WaitUntil([&] {
    Backdrop::Pump();
    return (GetWindowLongW(backdrop.get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }));
  // The panel hid for the pin and, being held, came back.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, InternalAddressesGoOnTheClipboardAndThePanelStays) {
  MakeFirst("热键", "功能取内网IP");
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"热键"));
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  Sleep(300);
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  Click(CellCentre(grid, 0));
  std::wstring addresses;
  EXPECT_TRUE(WaitUntil([&] { return !(addresses = ClipboardText()).empty(); }, 10000));
  // Dotted IPv4 addresses, "/" between them.
  EXPECT_NE(addresses.find(L'.'), std::wstring::npos) << velora::text::Narrow(addresses);
  EXPECT_EQ(addresses.find_first_not_of(L"0123456789./"), std::wstring::npos)
      << velora::text::Narrow(addresses);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(SaveScreenshot(window, L"launch_internal_addresses.png"));
  EXPECT_EQ(velora.Close(), 0u);
}
