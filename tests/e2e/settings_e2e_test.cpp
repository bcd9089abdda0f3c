// The settings panel driven with real input: the state a first start shows, options and colours
// that come back after a restart, and toasts that stack.
#include <windows.h>
// windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/settings_driving.h"
#include "e2e/velora_process.h"

using namespace velora::e2e;

namespace {

// WM_GETTEXT, not GetWindowText: across processes only the message reads what an edit box holds.
std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return buffer;
}

// 0xFE000000 over white leaves one step of white in each channel.
bool NearlyBlack(COLORREF c) { return GetRValue(c) <= 2 && GetGValue(c) <= 2 && GetBValue(c) <= 2; }

POINT Centre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// The settings file as text; it is GBK on disk.
std::wstring SettingsText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string gbk = bytes.str();
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), text.data(), n);
  return text;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = folder.path() / L"Velora.exe";
    std::filesystem::copy_file(BuiltExecutable(), exe);
  }

  std::filesystem::path SettingsFile() const { return folder.path() / L"配置" / L"Velora配置.ini"; }

  HWND Start(VeloraProcess& velora) { return velora.WaitUntilReady(); }

  static HWND EditUnder(HWND window, std::wstring_view label_text) {
    HWND label = FindChildByText(window, label_text);
    if (!label) return nullptr;
    RECT lr{};
    GetWindowRect(label, &lr);
    for (HWND child : Children(GetParent(label))) {
      RECT r{};
      GetWindowRect(child, &r);
      if (ClassOf(child) == L"Edit" && r.left <= lr.left && r.right >= lr.right && r.top <= lr.top)
        return child;
    }
    return nullptr;
  }

  // The picker's hexadecimal entry shows the targeted colour as "#…".
  static HWND HexEntry(HWND window) {
    for (HWND child : Children(window)) {
      if (ClassOf(child) == L"Edit" && Text(child).starts_with(L"#")) return child;
    }
    return nullptr;
  }

  static bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  velora::testing::TempFolder folder;
  std::filesystem::path exe;
};

}  // namespace

TEST_F(SettingsTest, AFirstStartShowsTheDefaultsAndWritesThemOnExit) {
  VeloraProcess velora(exe);
  HWND window = Start(velora);
  ASSERT_NE(window, nullptr);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 510);
  EXPECT_EQ(r.bottom - r.top, 311);
  // A 3-pixel black border around a white background.
  const int middle = (r.top + r.bottom) / 2;
  EXPECT_TRUE(NearlyBlack(ScreenPixel({r.left + 1, middle})));
  EXPECT_TRUE(NearlyBlack(ScreenPixel({r.right - 2, middle})));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return ScreenPixel({r.left + 5, r.bottom - 6}) == RGB(255, 255, 255);
      },
      2000))
      << std::hex << ScreenPixel({r.left + 5, r.bottom - 6});

  ToggleSettings(window);
  ASSERT_NE(Tabs(window), nullptr);
  EXPECT_TRUE(SaveScreenshot(window, L"settings_page_options.png"));
  // A first start chose a free function key for itself and says it registered.
  EXPECT_NE(FindChildByText(window, L"热键注册成功"), nullptr);

  ChooseTab(window, 1);
  EXPECT_TRUE(SaveScreenshot(window, L"settings_page_skin.png"));
  HWND radius = EditUnder(window, L"圆角度：");
  HWND border = EditUnder(window, L"边线宽：");
  ASSERT_NE(radius, nullptr);
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(Text(radius), L"0");
  EXPECT_EQ(Text(border), L"3");
  HWND entry = HexEntry(window);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Text(entry), L"#FFFFFF") << "the background swatch is the first target";

  // The border width's "+" stops at 50.
  SendMessageW(border, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"49"));
  HWND plus = nullptr;
  for (HWND child : Children(GetParent(border))) {
    RECT br{}, pr{};
    GetWindowRect(border, &br);
    GetWindowRect(child, &pr);
    if (Text(child) == L"+" && pr.left >= br.left && pr.right <= br.right && pr.top >= br.top) plus = child;
  }
  ASSERT_NE(plus, nullptr);
  Click(Centre(plus));
  EXPECT_EQ(Text(border), L"50");
  Click(Centre(plus));
  EXPECT_EQ(Text(border), L"50");
  SendMessageW(border, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));

  ChooseTab(window, 2);
  EXPECT_NE(FindChildByText(window, L"当前版本   0.1.5"), nullptr);
  EXPECT_TRUE(SaveScreenshot(window, L"settings_page_about.png"));
  EXPECT_EQ(velora.Close(), 0u);

  const std::wstring file = SettingsText(SettingsFile());
  for (const wchar_t* line : {L"图表数量=18", L"窗口宽度=510", L"窗口高度=311", L"窗口底色=-1",
                              L"窗口字色=-33554432", L"窗口圆角=0", L"窗口线色=-33554432", L"窗口线宽=3"}) {
    EXPECT_NE(file.find(line), std::wstring::npos);
  }
}

TEST_F(SettingsTest, OptionsAndAPickedColourComeBackAfterARestart) {
  {
    VeloraProcess velora(exe);
    HWND window = Start(velora);
    ASSERT_NE(window, nullptr);
    ToggleSettings(window);
    HWND tips_off = FindChildByText(window, L"关闭提示");
    HWND hover = FindChildByText(window, L"分组滑动显示");
    HWND docking = FindChildByText(window, L"靠边伸缩");
    HWND middle = FindChildByText(window, L"鼠标中键呼出");
    ASSERT_TRUE(tips_off && hover && docking && middle);
    Click(Centre(tips_off));
    Click(Centre(hover));
    EXPECT_TRUE(IsChecked(tips_off));
    EXPECT_TRUE(IsChecked(hover));
    // Docking and the mouse gestures exclude each other.
    Click(Centre(docking));
    EXPECT_TRUE(IsChecked(docking));
    EXPECT_FALSE(IsChecked(middle));
    Click(Centre(middle));
    EXPECT_FALSE(IsChecked(docking));
    EXPECT_TRUE(IsChecked(middle));

    // Background colour typed into the picker's entry, then "应用" and "保存".
    ChooseTab(window, 1);
    HWND entry = HexEntry(window);
    ASSERT_NE(entry, nullptr);
    Click(Centre(entry));
    SendMessageW(entry, EM_SETSEL, 0, -1);
    TypeText(L"#3366CC");
    PressKey(VK_RETURN);
    Click(Centre(FindChildByText(window, L"应用")));
    ChooseTab(window, 0);
    const std::optional<FILETIME> before = FileWriteTime(SettingsFile());
    Click(Centre(FindChildByText(window, L"保存")));
    // Read once replaced: a reader's handle would make the program's rename over the file fail.
    EXPECT_TRUE(WaitUntil([&] {
      const std::optional<FILETIME> now = FileWriteTime(SettingsFile());
      return now && (!before || CompareFileTime(&*now, &*before) != 0);
    }));
    EXPECT_NE(SettingsText(SettingsFile()).find(L"窗口底色=-13408564"), std::wstring::npos);
    EXPECT_EQ(velora.Close(), 0u);
  }

  VeloraProcess velora(exe);
  HWND window = Start(velora);
  ASSERT_NE(window, nullptr);
  RECT r{};
  GetWindowRect(window, &r);
  // Painted once the start-up has finished (the shell's tray may hold it up under Wine).
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenPixel({r.left + 5, r.bottom - 6}) == RGB(0x33, 0x66, 0xCC);
  })) << std::hex
      << ScreenPixel({r.left + 5, r.bottom - 6});
  ToggleSettings(window);
  EXPECT_TRUE(IsChecked(FindChildByText(window, L"关闭提示")));
  EXPECT_TRUE(IsChecked(FindChildByText(window, L"分组滑动显示")));
  EXPECT_FALSE(IsChecked(FindChildByText(window, L"靠边伸缩")));
  EXPECT_TRUE(IsChecked(FindChildByText(window, L"鼠标中键呼出")));
  ChooseTab(window, 1);
  EXPECT_EQ(Text(HexEntry(window)), L"#3366CC");
  EXPECT_TRUE(SaveScreenshot(window, L"settings_restored_skin.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(SettingsTest, ThreeQuickToastsStackSixtyPixelsApart) {
  VeloraProcess velora(exe);
  HWND window = Start(velora);
  ASSERT_NE(window, nullptr);
  ToggleSettings(window);
  HWND autostart = FindChildByText(window, L"开机启动");
  ASSERT_NE(autostart, nullptr);
  const POINT at = Centre(autostart);
  const bool was_on = IsChecked(autostart);
  // Quick enough to make a double click: the native box switches on each click all the same.
  for (int i = 0; i < 3; ++i) Click(at);

  // Each switch reports what the registry holds afterwards.
  const auto toasts = [&] {
    std::vector<HWND> found;
    for (HWND child : Children(window)) {
      const std::wstring text = Text(child);
      if (IsWindowVisible(child) && text.starts_with(L"开机启动") && text != L"开机启动")
        found.push_back(child);
    }
    return found;
  };
  std::vector<int> tops;
  ASSERT_TRUE(WaitUntil(
      [&] {
        tops.clear();
        for (HWND toast : toasts()) {
          RECT tr{};
          GetWindowRect(toast, &tr);
          POINT corner{tr.left, tr.top};
          ScreenToClient(window, &corner);
          tops.push_back(corner.y);
        }
        std::sort(tops.begin(), tops.end());
        return tops == std::vector<int>{50, 110, 170};
      },
      // The three hold their rows together for a while, however late a busy system shows them.
      6000))
      << "toasts at " << ::testing::PrintToString(tops);
  EXPECT_TRUE(SaveScreenshot(window, L"settings_three_toasts.png"));
  EXPECT_NE(IsChecked(autostart), was_on) << "three switches";
  // Faded and destroyed after their hold.
  EXPECT_TRUE(WaitUntil([&] { return toasts().empty(); }, 4000));
  Click(at);  // leave the registry as it was
  EXPECT_EQ(velora.Close(), 0u);
}

// The three pages as a display at 150 % shows them, for a person to look at.
TEST_F(SettingsTest, At150PercentEveryPageOpens) {
  SetDisplayDpi(144);
  VeloraProcess velora(exe);
  HWND window = Start(velora);
  SetDisplayDpi(96);
  ASSERT_NE(window, nullptr);
  ToggleSettings(window, 144);
  HWND tabs = Tabs(window);
  ASSERT_NE(tabs, nullptr);
  ASSERT_TRUE(IsWindowVisible(tabs));
  const wchar_t* shots[] = {L"settings_page_options_144dpi.png", L"settings_page_skin_144dpi.png",
                            L"settings_page_about_144dpi.png"};
  for (int page = 0; page < 3; ++page) {
    ChooseTab(window, page, 144);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), page);
    EXPECT_TRUE(SaveScreenshot(window, shots[page]));
  }
  EXPECT_EQ(velora.Close(), 0u);
}
