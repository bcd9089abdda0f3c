// Launching items of the real program with real clicks: a bookmark opens its address with the
// system's browser (a recorder program stands in for it), a text snippet lands on the clipboard.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"
#include "text/gbk.h"
#include "text/path_code.h"
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

void PutClipboardText(const std::wstring& text) {
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

// Without a tray on the X display, Wine's shell shows the icons in a top-level window of its own,
// which takes the activation the paste hands to the window under the pointer. Windows keeps the
// icons in the taskbar; the stand-in goes once the panel's icon is deleted.
void WithoutTrayStandIn(HWND panel) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = panel;
  icon.uID = 1;
  Shell_NotifyIconW(NIM_DELETE, &icon);
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

  // A first run writes the store; then the item `code` of `category` becomes the newest: cell 0.
  void MakeFirst(const char* category, const std::string& code) {
    FirstRun();
    ASSERT_TRUE(velora::store::RecordLaunch(*Store(), category, code, kNewest));
  }
  // A first run writes the store; then a new item is added in front of `category`.
  void AddFirst(const char* category, const std::string& code, const char* name) {
    FirstRun();
    velora::store::ItemRow row;
    row.code = code;
    row.name = name;
    row.date = kNewest;
    ASSERT_TRUE(velora::store::AddItem(*Store(), category, row));
  }

  // The copy shown with `category` current; the grid is null when it did not get that far.
  struct Shown {
    HWND window = nullptr;
    HWND grid = nullptr;
  };
  Shown StartIn(const VeloraProcess& velora, const wchar_t* category) {
    Shown shown;
    shown.window = StartShown(velora);
    if (!shown.window || !ChooseCategory(shown.window, category)) return shown;
    shown.grid = FindItemGrid(shown.window);
    Sleep(300);  // the new page painted
    return shown;
  }

  static void EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
  }

  std::filesystem::path recorder;
  std::map<std::wstring, std::wstring> saved_;

  std::unique_ptr<velora::store::Database> Store() {
    auto db = std::make_unique<velora::store::Database>();
    EXPECT_TRUE(db->Open(velora::text::PathToUtf8(folder.path() / L"配置" / L"Velora.db")));
    return db;
  }

 private:
  static constexpr const char* kNewest = "2100-01-01 00:00:00";

  void FirstRun() {
    VeloraProcess first(exe);
    ASSERT_NE(StartShown(first), nullptr);  // started up whole, so its exit saves the settings
    ASSERT_EQ(first.Close(), 0u);
  }
};

// A 16 × 16 PNG: red above, blue below.
constexpr unsigned char kPicture[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F,
    0xF3, 0xFF, 0x61, 0x00, 0x00, 0x00, 0x20, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
    0xCF, 0xC0, 0xF0, 0x9F, 0x12, 0xCC, 0x30, 0x6A, 0xC0, 0xB0, 0x30, 0x80, 0xA1, 0x01, 0x48,
    0x53, 0x82, 0x47, 0x0D, 0x18, 0x0E, 0x06, 0x00, 0x00, 0x55, 0x84, 0x3E, 0x1F, 0xFA, 0x7A,
    0xF3, 0x69, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Presses at `at`, holds, and releases there.
void LongPress(POINT at, DWORD hold_ms) {
  MoveMouse(at);
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &press, sizeof press);
  Sleep(hold_ms);
  INPUT release = press;
  release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &release, sizeof release);
}

// Wine's Notepad, ended with the test.
struct Notepad {
  Notepad() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"notepad.exe";
    started =
        CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  }
  ~Notepad() {
    if (!started) return;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // Its visible main window, or null.
  HWND Window() const {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Notepad", nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == process.dwProcessId && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }
  BOOL started = FALSE;
  PROCESS_INFORMATION process{};
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
  const Shown shown = StartIn(velora, L"书签");
  ASSERT_NE(shown.grid, nullptr);
  Click(CellCentre(shown.grid, 0));  // 哔哩哔哩, the newest bookmark
  const std::string log = Recorded();
  EXPECT_NE(log.find("https://www.bilibili.com/"), std::string::npos) << log;
  // Started by hand, the panel is held: it stays after the launch.
  EXPECT_TRUE(IsWindowVisible(shown.window));
  EXPECT_EQ(velora.Close(), 0u);
}

// A user who reports "it did nothing" can send us the log, which says why.
TEST_F(LaunchTest, AProgramTheShellCannotStartLeavesALineInTheLog) {
  const std::string missing = velora::text::PathToUtf8(folder.path() / L"已删除的程序.exe");
  AddFirst("软件", velora::text::PathCode(missing), "已删除");
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"软件");
  ASSERT_NE(shown.grid, nullptr);
  Click(CellCentre(shown.grid, 0));
  const std::filesystem::path log = folder.path() / L"配置" / L"Velora.log";
  std::string text;
  EXPECT_TRUE(WaitUntil([&] {
    std::ostringstream bytes;
    bytes << std::ifstream(log, std::ios::binary).rdbuf();
    text = bytes.str();
    return text.find("[shell open] " + missing + ": error ") != std::string::npos;
  })) << text;
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, ATextSnippetIsPutOnTheClipboardAndConfirmedWhileHeld) {
  AddFirst("软件", "$$文本$$你好，世界 😀", "问候");
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"软件");
  ASSERT_NE(shown.grid, nullptr);
  Click(CellCentre(shown.grid, 0));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"你好，世界 😀"; }));
  EXPECT_TRUE(IsWindowVisible(shown.window));
  EXPECT_TRUE(SaveScreenshot(shown.window, L"launch_snippet_toast.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, PinOnTopMakesTheWindowUnderThePointerTopmostAndTheHeldPanelReturns) {
  MakeFirst("热键", "功能置顶窗口");
  Backdrop backdrop;
  ASSERT_NE(backdrop.get(), nullptr);
  ASSERT_EQ(GetWindowLongW(backdrop.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"热键");
  ASSERT_NE(shown.grid, nullptr);
  Click(CellCentre(shown.grid, 0));
  EXPECT_TRUE(WaitUntil([&] {
    Backdrop::Pump();
    return (GetWindowLongW(backdrop.get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }));
  // The panel hid for the pin and, being held, came back.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(shown.window) != FALSE; }));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, InternalAddressesGoOnTheClipboardAndThePanelStays) {
  MakeFirst("热键", "功能取内网IP");
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"热键");
  ASSERT_NE(shown.grid, nullptr);
  EmptyTheClipboard();
  Click(CellCentre(shown.grid, 0));
  std::wstring addresses;
  EXPECT_TRUE(WaitUntil([&] { return !(addresses = ClipboardText()).empty(); }, 10000));
  // Dotted IPv4 addresses, "/" between them.
  EXPECT_NE(addresses.find(L'.'), std::wstring::npos) << velora::text::Narrow(addresses);
  EXPECT_EQ(addresses.find_first_not_of(L"0123456789./"), std::wstring::npos)
      << velora::text::Narrow(addresses);
  EXPECT_TRUE(IsWindowVisible(shown.window));
  EXPECT_TRUE(SaveScreenshot(shown.window, L"launch_internal_addresses.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, ALongPressOnAPicturePutsItOnTheClipboard) {
  const std::filesystem::path picture = folder.path() / L"红蓝 图片.png";
  std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(kPicture), sizeof kPicture);
  AddFirst("图片", velora::text::PathCode(velora::text::PathToUtf8(picture)), "红蓝");
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"图片");
  ASSERT_NE(shown.grid, nullptr);
  EmptyTheClipboard();
  LongPress(CellCentre(shown.grid, 0), 600);
  EXPECT_TRUE(
      WaitUntil([] { return IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB); }));
  // The picture itself: 16 pixels wide.
  if (OpenClipboard(nullptr)) {
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
      if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib))) {
        EXPECT_EQ(header->biWidth, 16);
        GlobalUnlock(dib);
      }
    }
    CloseClipboard();
  }
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, ASnippetLaunchedOverNotepadIsPastedIntoIt) {
  AddFirst("软件", "$$文本$$粘贴到记事本的文字", "片段");
  // Notepad fills the screen under the panel.
  Notepad notepad_process;
  ASSERT_TRUE(notepad_process.started);
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (notepad = notepad_process.Window()) != nullptr; }));
  HWND edit = notepad ? FindWindowExW(notepad, nullptr, L"Edit", nullptr) : nullptr;
  ASSERT_NE(edit, nullptr) << "notepad's edit control";
  SetWindowPos(notepad, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);

  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"软件");
  ASSERT_NE(shown.grid, nullptr);
  WithoutTrayStandIn(shown.window);
  // Not held: the panel hides before pasting into the window under the pointer.
  HWND pin = FindChildByText(shown.window, L"窗口置顶");
  ASSERT_NE(pin, nullptr);
  RECT r{};
  GetWindowRect(pin, &r);
  Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  ASSERT_EQ(SendMessageW(pin, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click(CellCentre(shown.grid, 0));
  std::wstring pasted;
  EXPECT_TRUE(WaitUntil([&] {
    wchar_t text[256] = {};
    SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    pasted = text;
    return pasted.find(L"粘贴到记事本的文字") != std::wstring::npos;
  })) << velora::text::Narrow(pasted);
  EXPECT_FALSE(IsWindowVisible(shown.window));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, TheClockScreensaverFunctionStartsTheWrittenScreensaver) {
  MakeFirst("热键", "功能时钟屏保");
  VeloraProcess velora(exe);
  const Shown shown = StartIn(velora, L"热键");
  ASSERT_NE(shown.grid, nullptr);
  Click(CellCentre(shown.grid, 0));
  // The clock of 配置\FlipIt.scr covers the screen; a key press ends it.
  HWND clock = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] { return (clock = FindWindowW(L"VeloraFlipIt", nullptr)) && IsWindowVisible(clock); }, 10000));
  if (clock) {
    RECT r{};
    GetWindowRect(clock, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    // Shown comes before in front: a key pressed between would reach the panel.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == clock; }));
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SHIFT;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"VeloraFlipIt", nullptr) == nullptr; }, 10000));
  }
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(LaunchTest, TheDefaultKeySummonsThePanelAtThePointerWithTheSelectedText) {
  RecordAddresses();
  MakeFirst("搜索", "网址https://search.bilibili.com/all?keyword=$关键词$");
  // The first run chose a function key and kept it: F9, the first of its order, is free here.
  {
    std::ostringstream bytes;
    bytes << std::ifstream(folder.path() / L"配置" / L"Velora配置.ini", std::ios::binary).rdbuf();
    const std::string text = velora::text::GbkToUtf8(bytes.str());
    const std::size_t at = text.find("下拉框_热键=");
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_NE(text.substr(at, text.find("\r\n", at) - at).find("<||>8<|>F9"), std::string::npos) << text;
  }
  Notepad notepad_process;
  ASSERT_TRUE(notepad_process.started);
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (notepad = notepad_process.Window()) != nullptr; }));
  HWND edit = notepad ? FindWindowExW(notepad, nullptr, L"Edit", nullptr) : nullptr;
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"机器学习"));
  PutClipboardText(L"剪贴板原有的字");

  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  const auto press_f9 = [] {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F9;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  };
  const auto summon_over_notepad = [&](bool select) {
    press_f9();  // the shown panel hides on the hotkey
    if (!WaitUntil([&] { return !IsWindowVisible(window); })) {
      ADD_FAILURE() << "the hotkey did not hide the panel";
      return false;
    }
    // Asked again until it holds: a busy editor may not be taking messages yet.
    if (!WaitUntil([&] { return SetForegroundWindow(notepad) && GetForegroundWindow() == notepad; }, 10000)) {
      ADD_FAILURE() << "the editor did not come to the front";
      return false;
    }
    SendMessageW(edit, EM_SETSEL, 0, select ? -1 : 0);
    MoveMouse({400, 330});
    Sleep(200);
    press_f9();
    if (!WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) {
      ADD_FAILURE() << "the hotkey did not summon the panel over "
                    << (select ? "a selection" : "no selection");
      return false;
    }
    return true;
  };
  ASSERT_TRUE(summon_over_notepad(true));
  // Centred on the pointer, in front with the keyboard, and the clipboard as it was.
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_NEAR((r.left + r.right) / 2, 400, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, 330, 1);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; })) << "in front, for the keyboard";
  EXPECT_EQ(ClipboardText(), L"剪贴板原有的字");
  EXPECT_TRUE(SaveScreenshot(window, L"summoned_at_pointer.png"));

  ASSERT_TRUE(ChooseCategory(window, L"搜索"));
  HWND grid = FindItemGrid(window);
  ASSERT_NE(grid, nullptr);
  Sleep(300);
  Click(CellCentre(grid, 0));
  const std::string first = Recorded();
  EXPECT_NE(first.find("https://search.bilibili.com/all?keyword=机器学习"), std::string::npos) << first;

  // Nothing selected: the search gets no words, not the text that was already on the clipboard.
  ASSERT_TRUE(summon_over_notepad(false));
  Click(CellCentre(grid, 0));
  std::string log;
  WaitUntil([&] {
    log = Recorded();
    return std::count(log.begin(), log.end(), '\n') >= 2;
  });
  EXPECT_NE(log.find("https://search.bilibili.com/all?keyword=\"\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("剪贴板原有的字"), std::string::npos) << log;
  EXPECT_EQ(ClipboardText(), L"剪贴板原有的字");
  EXPECT_EQ(velora.Close(), 0u);
}

// Finding by typing: letters typed on the panel summoned by its key find 微信 among 300 items by
// its Pinyin initials; keys an input method is composing with do nothing; Esc ends the query and
// then hides the panel; Enter launches the best match as a click does.
TEST_F(LaunchTest, TypedPinyinInitialsFindAnItemAmongHundredsAndEnterLaunchesIt) {
  AddFirst("软件", "$$文本$$计算", "计算器");  // what the panel shows first
  {
    const auto db = Store();
    ASSERT_TRUE(
        velora::store::AddItem(*db, "文档", {"$$文本$$wxid_velora", {}, "微信", "文本", {}, "2001-01-01"}));
    const char* const names[] = {"微型计算器", "王者荣耀", "网线测试", "文件夹 X", "Windows 资源管理器"};
    for (int i = 0; i < 300; ++i) {
      const std::string name = std::string(names[i % 5]) + " " + std::to_string(i);
      ASSERT_TRUE(velora::store::AddItem(*db, i % 2 ? "软件" : "文档",
                                         {"$$文本$$" + std::to_string(i), {}, name, "文本", {}, {}}));
    }
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  const auto summon = [&] {
    MoveMouse({400, 330});
    return TapKey(VK_F9) &&
           WaitUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; });
  };
  const auto find_wx = [&] {
    TypeText(L"wx");
    return WaitUntil([&] {
      const std::vector<std::wstring> captions = GridCaptions(grid);
      return !captions.empty() && captions[0] == L"微信";
    });
  };
  // A middle click away from the panel hides it and ends its hold; the key then summons it unheld.
  MoveMouse({40, 40});
  INPUT middle[2] = {};
  middle[0].type = middle[1].type = INPUT_MOUSE;
  middle[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  middle[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  ASSERT_EQ(SendInput(2, middle, sizeof(INPUT)), 2u);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  ASSERT_TRUE(summon());
  ASSERT_TRUE(find_wx()) << velora::text::Narrow(GridCaptions(grid)[0]);
  HWND box = nullptr;  // the query box: the one edit box on show
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (_wcsicmp(name, L"Edit") != 0 || !IsWindowVisible(child)) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&box));
  ASSERT_NE(box, nullptr);
  wchar_t typed[8] = {};
  SendMessageW(box, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(typed));
  EXPECT_STREQ(typed, L"wx");
  EXPECT_TRUE(SaveScreenshot(window, L"find_query.png"));
  // Nothing matches "wxzzq": the grid is empty but for its hint; Backspace brings 微信 back.
  TypeText(L"zzq");
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<std::wstring> captions = GridCaptions(grid);
    return std::all_of(captions.begin(), captions.end(), [](const std::wstring& c) { return c.empty(); });
  }));
  EXPECT_TRUE(SaveScreenshot(window, L"find_nothing.png"));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(TapKey(VK_BACK));
  EXPECT_TRUE(WaitUntil([&] { return GridCaptions(grid)[0] == L"微信"; }));

  EmptyTheClipboard();
  SendMessageW(box, WM_IME_STARTCOMPOSITION, 0, 0);
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE, VK_DOWN}) PostMessageW(box, WM_KEYDOWN, key, 1);
  Sleep(500);
  EXPECT_NE(ClipboardText(), L"wxid_velora");  // other tests running alongside may put text there
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GridCaptions(grid)[0], L"微信");
  SendMessageW(box, WM_IME_ENDCOMPOSITION, 0, 0);

  ASSERT_TRUE(TapKey(VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }));
  EXPECT_NE(GridCaptions(grid)[0], L"微信");  // the category again
  EXPECT_TRUE(IsWindowVisible(window));
  ASSERT_TRUE(TapKey(VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));

  ASSERT_TRUE(summon());
  ASSERT_TRUE(find_wx());
  ASSERT_TRUE(TapKey(VK_RETURN));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"wxid_velora"; }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));  // not held: it hides

  // Ctrl+Tab turns to the next category; the right arrow selects the next match for Enter.
  ASSERT_TRUE(summon());
  HWND bar = FindChildByText(window, L"软件");
  ASSERT_NE(bar, nullptr);
  INPUT ctrl_tab[4] = {};
  for (INPUT& key : ctrl_tab) key.type = INPUT_KEYBOARD;
  ctrl_tab[0].ki.wVk = ctrl_tab[3].ki.wVk = VK_CONTROL;
  ctrl_tab[1].ki.wVk = ctrl_tab[2].ki.wVk = VK_TAB;
  ctrl_tab[2].ki.dwFlags = ctrl_tab[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(4, ctrl_tab, sizeof(INPUT)), 4u);
  EXPECT_TRUE(WaitUntil([&] {
    wchar_t shown[16] = {};
    GetWindowTextW(bar, shown, 16);
    return std::wstring(shown) == L"目录";
  }));
  ASSERT_TRUE(find_wx());
  const std::wstring second = GridCaptions(grid)[1];  // "<name> N", a snippet of the text "N"
  ASSERT_TRUE(TapKey(VK_RIGHT) && TapKey(VK_RETURN));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == second.substr(second.rfind(L' ') + 1); }));
  EXPECT_EQ(velora.Close(), 0u);
}
