// The add panels on the real launcher window, with real key presses (SendInput) and a real item
// store in a temporary data folder: each opens reset, refuses what is missing with its toast,
// adds values exactly as typed where the insert-position button says, captures keys, and adds
// and renames groups.
#include "ui/add_panels.h"
#include "ui/launcher_names.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/names.h"
#include "store/database.h"
#include "store/groups.h"
#include "store/items.h"
#include "support/window_picture_win32.h"
#include "text/utf.h"
#include "toolkit/category_bar.h"
#include "toolkit/gdiplus.h"
#include "toolkit/image_button.h"
#include "toolkit/native_controls.h"
#include "toolkit/tab_control.h"
#include "ui/item_grid.h"
#include "ui/launcher_test_parts.h"
#include "ui/launcher_window.h"
#include "ui/settings_panel_names.h"
#include "ui/settings_ui.h"

namespace velora::ui {
namespace {

namespace fs = std::filesystem;

using test_parts::Parts;
using test_parts::Pump;

void Send(std::vector<INPUT> inputs) {
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
  Pump(60);
}

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Press(WORD key) { Send({Key(key, false), Key(key, true)}); }

// Types `text` as the system's on-screen and input-method keyboards do: one character each.
void Type(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t ch : text) {
    for (bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = ch;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

// Whether a toast with `text` is up on `window`, waited for a little.
bool ToastShows(HWND window, std::string_view text) {
  struct Search {
    std::wstring text;
    bool found = false;
  } search{text::Widen(text)};
  for (int i = 0; i < 20 && !search.found; ++i) {
    Pump(20);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
          auto* s = reinterpret_cast<Search*>(data);
          wchar_t buffer[64] = {};
          GetWindowTextW(child, buffer, 64);
          s->found = s->found || (IsWindowVisible(child) && s->text == buffer);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// A data folder with the template store and the launcher window showing "软件", its hidden
// parts built, in front and active so that key presses reach it.
class AddPanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_folder.Make());
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), host, gdiplus));
    window.FillCategoryBar(store::BuildCategoryList(db));
    ShowWindow(window.hwnd(), SW_SHOW);
    SetForegroundWindow(window.hwnd());
    Pump(150);
    panels = Parts::add_panels(window);
    ASSERT_NE(panels, nullptr);
  }
  void TearDown() override { window.Destroy(); }

  template <typename T = toolkit::Control>
  T& Get(std::string_view name) {
    T* control = Parts::controls(window).FindAs<T>(name);
    EXPECT_NE(control, nullptr) << name;
    return *control;
  }
  std::string TextOf(std::string_view name) { return Get(name).Text(); }
  bool Shown(std::string_view name) { return Get(name).visible(); }
  bool Focused(std::string_view name) { return GetFocus() == Get(name).hwnd(); }
  // Tab as the message loop meets it, with Shift and Ctrl held as asked.
  bool Tab(bool shift, bool ctrl = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    const MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    const bool used = window.MoveFocusByTab(message);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return used;
  }
  std::vector<std::string> Codes() { return store::ListCodes(db, "软件"); }
  std::vector<std::string> BarCaptions() {
    std::vector<std::string> captions;
    for (const auto& cell : Parts::category_bar(window).model().cells()) captions.push_back(cell.caption);
    return captions;
  }

  test_parts::StoreFolder store_folder{"panels"};
  store::Database& db = store_folder.db;
  toolkit::GdiplusSession gdiplus;
  test_parts::BuildingHost host;
  settings::OptionsHolder options;
  LauncherWindow window{test_parts::ServicesFor(options, store_folder)};
  AddPanels* panels = nullptr;
};

TEST_F(AddPanelsTest, BookmarkOpensEmptiedAndRefusesAHalfFilledForm) {
  Get("编辑框_书签地址").SetText("旧地址");
  Get("编辑框_书签标题").SetText("旧标题");
  panels->OpenBookmark();
  EXPECT_TRUE(Shown("图片框_添加书签"));
  EXPECT_EQ(TextOf("编辑框_书签地址"), "");
  EXPECT_EQ(TextOf("编辑框_书签标题"), "");
  EXPECT_TRUE(Focused("编辑框_书签地址"));
  EXPECT_EQ(TextOf("按钮_书签添加"), "添加");

  const auto before = Codes();
  Get("编辑框_书签地址").SetText("https://a.cn");
  panels->AddBookmark();
  EXPECT_TRUE(ToastShows(window.hwnd(), "请先填写"));
  Get("编辑框_书签地址").SetText("");
  Get("编辑框_书签标题").SetText("只有标题");
  panels->AddBookmark();
  EXPECT_EQ(Codes(), before);
  EXPECT_TRUE(Shown("图片框_添加书签")) << "a refusal leaves the panel open";

  // A shown category whose table is gone cannot take the item: told, not closed as if added.
  window.ShowCategory("已删除的分组");
  Get("编辑框_书签地址").SetText("https://a.cn");
  panels->AddBookmark();
  EXPECT_TRUE(ToastShows(window.hwnd(), "添加失败，无法写入数据库"));
  EXPECT_TRUE(Shown("图片框_添加书签"));
}

TEST_F(AddPanelsTest, BookmarkTypedInChineseWithQuotesIsStoredAsTypedFirstOrLast) {
  panels->OpenBookmark();
  Type(L"https://例子.cn/?q='引号'\"");
  Get("编辑框_书签标题").Focus();
  Type(L"小明's \"书签\"");
  EXPECT_EQ(TextOf("编辑框_书签标题"), "小明's \"书签\"") << "every typed character arrives";
  Press(VK_RETURN);  // in front: dated, shown first
  EXPECT_FALSE(Shown("图片框_添加书签"));
  const std::string code = "网址https://例子.cn/?q='引号'\"";
  ASSERT_FALSE(Codes().empty());
  EXPECT_EQ(Codes().front(), code);
  const auto row = store::ReadItem(db, "软件", code);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->name, "小明's \"书签\"");
  EXPECT_EQ(row->suffix, "书签");
  EXPECT_EQ(*Parts::grid(window).model().CodeAt(0), code) << "the grid shows it at once";

  // With the insert-position button selected: undated, after every dated item.
  Get<toolkit::ImageButton>("超级按钮_添加位置").SetSelected(true);
  panels->OpenBookmark();
  Get("编辑框_书签地址").SetText("https://尾.cn");
  Get("编辑框_书签标题").SetText("尾");
  Get<toolkit::PushButton>("按钮_书签添加").on_click(Get("按钮_书签添加"));
  EXPECT_EQ(Codes().back(), "网址https://尾.cn");
  EXPECT_EQ(store::ReadItem(db, "软件", "网址https://尾.cn")->date, std::nullopt);
}

TEST_F(AddPanelsTest, EnterDuringACompositionCommitsItAndEscapeCloses) {
  panels->OpenBookmark();
  HWND address = Get("编辑框_书签地址").hwnd();
  Get("编辑框_书签标题").SetText("标题");
  const auto before = Codes();
  // What an input method sends: the start, the composed characters, the Enter that commits.
  SendMessageW(address, WM_IME_STARTCOMPOSITION, 0, 0);
  for (wchar_t ch : std::wstring_view(L"中文网址")) SendMessageW(address, WM_IME_CHAR, ch, 1);
  Press(VK_RETURN);
  EXPECT_EQ(Codes(), before) << "the Enter belonged to the composition";
  EXPECT_TRUE(Shown("图片框_添加书签"));
  SendMessageW(address, WM_IME_ENDCOMPOSITION, 0, 0);
  EXPECT_EQ(TextOf("编辑框_书签地址"), "中文网址");

  Press(VK_ESCAPE);
  EXPECT_FALSE(Shown("图片框_添加书签"));
  EXPECT_EQ(Codes(), before) << "closing saves nothing";
  EXPECT_NE(GetFocus(), address) << "keys typed next go to no hidden field";
}

TEST_F(AddPanelsTest, ShortcutCapturesReleasedKeysAndFollowsTheLists) {
  panels->OpenShortcut();
  EXPECT_EQ(TextOf("下拉框_功能键1"), "CTRL键");
  EXPECT_EQ(TextOf("下拉框_功能键2"), "CTRL键");
  EXPECT_EQ(TextOf("标签_快捷键状态"), "状态：");
  ASSERT_TRUE(Focused("编辑框_快捷键3"));

  Press('A');
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "A键");
  EXPECT_EQ(TextOf("标签_快捷键状态"), "状态：17+17+65");
  Press(VK_BACK);  // edits the text instead of naming the key
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "A");
  EXPECT_EQ(TextOf("标签_快捷键状态"), "状态：17+17+0");
  Press(VK_RETURN);  // captured like any key: a shortcut may press Enter
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "回车键");
  EXPECT_TRUE(Shown("图片框_添加快捷键"));
  Press(VK_MENU);  // released as a system key
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "Alt键");
  Press(VK_F5);
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "F5键");

  // Choosing "ALT键" in the first list, as the keyboard chooses in a closed list.
  Get("下拉框_功能键1").Focus();
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(TextOf("下拉框_功能键1"), "ALT键");
  EXPECT_EQ(TextOf("标签_快捷键状态"), "状态：18+17+116");

  // Reopening resets all of it.
  panels->OpenShortcut();
  EXPECT_EQ(TextOf("下拉框_功能键1"), "CTRL键");
  EXPECT_EQ(TextOf("编辑框_快捷键3"), "");
  EXPECT_EQ(TextOf("标签_快捷键状态"), "状态：");
}

TEST_F(AddPanelsTest, ShortcutNeedsOnlyAName) {
  panels->OpenShortcut();
  Press('S');
  const auto before = Codes();
  panels->AddShortcut();
  EXPECT_TRUE(ToastShows(window.hwnd(), "请填写名称"));
  EXPECT_EQ(Codes(), before);

  panels->OpenShortcut();  // an empty key field is still added
  Get("编辑框_快捷键标题").Focus();
  Type(L"截图's");
  Press(VK_RETURN);
  EXPECT_FALSE(Shown("图片框_添加快捷键"));
  const auto row = store::ReadItem(db, "软件", "热键17+17+0");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->name, "截图's");
  EXPECT_EQ(row->suffix, "热键");
  EXPECT_EQ(Codes().front(), "热键17+17+0");
}

TEST_F(AddPanelsTest, AGroupIsAddedLastAndAnExistingNameIsRefused) {
  const auto before = BarCaptions();
  panels->OpenGroupToAdd();
  EXPECT_EQ(TextOf("按钮_添加分组"), "添加");
  EXPECT_EQ(Get<toolkit::ImageButton>("超级按钮_添加分组").tip(), "添加分组");
  ASSERT_TRUE(Focused("编辑框_添加分组名称"));
  Type(L"小明's 工作");
  Press(VK_RETURN);
  EXPECT_FALSE(Shown("图片框_添加分组"));
  auto expected = before;
  expected.push_back("小明's 工作");
  EXPECT_EQ(BarCaptions(), expected);
  EXPECT_TRUE(db.TableExists("小明's 工作"));
  EXPECT_EQ(Parts::navigation(window).category, "软件") << "the shown category stays";

  for (const std::string name : {"搜索", "小明's 工作"}) {
    panels->OpenGroupToAdd();
    Get("编辑框_添加分组名称").SetText(name);
    panels->ConfirmGroup();
    EXPECT_TRUE(ToastShows(window.hwnd(), "创建分组失败")) << name;
    EXPECT_TRUE(Shown("图片框_添加分组"));
    EXPECT_EQ(BarCaptions(), expected) << name;
  }
}

TEST_F(AddPanelsTest, RenameChangesTheCellItWasOpenedOnOrKeepsTheOldName) {
  const auto captions = BarCaptions();
  const int bookmarks = 2;
  ASSERT_EQ(captions[bookmarks], "书签");
  panels->OpenGroupToRename(bookmarks, "书签");
  EXPECT_EQ(TextOf("编辑框_添加分组名称"), "书签");
  EXPECT_EQ(TextOf("按钮_添加分组"), "修改");
  EXPECT_EQ(Get<toolkit::ImageButton>("超级按钮_添加分组").tip(), "修改分组");

  Get("编辑框_添加分组名称").SetText("目录");  // in use
  panels->ConfirmGroup();
  EXPECT_TRUE(ToastShows(window.hwnd(), "修改名称失败"));
  EXPECT_EQ(BarCaptions(), captions);
  EXPECT_TRUE(Shown("图片框_添加分组"));

  panels->OpenGroupToRename(bookmarks, "书签");
  Type(L"网站's");  // the old name is selected: typing replaces it
  EXPECT_EQ(TextOf("编辑框_添加分组名称"), "网站's");
  Press(VK_RETURN);
  EXPECT_FALSE(Shown("图片框_添加分组"));
  EXPECT_EQ(BarCaptions()[bookmarks], "网站's");
  EXPECT_EQ(Parts::category_bar(window).model().cells()[bookmarks].colour, toolkit::kHoverCaptionColour);
  EXPECT_TRUE(db.TableExists("网站's"));
  EXPECT_FALSE(db.TableExists("书签"));
}

TEST_F(AddPanelsTest, RenamingTheShownGroupKeepsItsItemsOnShow) {
  const std::size_t shown = Parts::grid(window).model().item_count();
  ASSERT_GT(shown, 0u);
  panels->OpenGroupToRename(0, "软件");
  Get("编辑框_添加分组名称").SetText("程序");
  panels->ConfirmGroup();
  EXPECT_EQ(Parts::navigation(window).category, "程序");
  EXPECT_EQ(Parts::grid(window).model().item_count(), shown);

  panels->OpenBookmark();  // and the renamed category takes new items
  Get("编辑框_书签地址").SetText("https://a.cn");
  Get("编辑框_书签标题").SetText("甲");
  panels->AddBookmark();
  EXPECT_EQ(Parts::grid(window).model().item_count(), shown + 1);
}

// Tab and Shift+Tab walk the open panel's controls in reading order, as in a dialog, and skip
// what is hidden; Ctrl+Tab is left to the panel's keys.
TEST_F(AddPanelsTest, TabMovesThroughTheOpenPanelsControls) {
  panels->OpenBookmark();
  Pump(100);
  Get("编辑框_书签地址").Focus();
  Get("编辑框_书签地址").SetText("https://a.cn");
  ASSERT_TRUE(Tab(false));
  EXPECT_TRUE(Focused("编辑框_书签标题"));
  ASSERT_TRUE(Tab(true));
  EXPECT_TRUE(Focused("编辑框_书签地址"));
  DWORD from = 0, to = 0;
  SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(to - from, 12u);  // reached by Tab: its text selected
  bool reached_close = false;
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(Tab(false));
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    EXPECT_TRUE(IsChild(Get(names::kBookmarkPanel).hwnd(), GetFocus()) ||
                GetFocus() == Get(names::kBookmarkPanel).hwnd());
    reached_close = reached_close || Focused(names::kBookmarkClose);
  }
  // The drawn close button is a stop too, and Space presses it.
  EXPECT_TRUE(reached_close);
  while (!Focused(names::kBookmarkClose)) ASSERT_TRUE(Tab(false));
  SendMessageW(GetFocus(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(Get(names::kBookmarkPanel).visible());
}

// Ctrl+Tab turns the settings' pages round the ends, as in a property sheet, and the focus goes
// to the new page.
TEST_F(AddPanelsTest, CtrlTabTurnsTheSettingsPages) {
  Parts::settings(window).Build();
  Get(names::kSettingsPanel).Show(true);
  auto& pages = Get<toolkit::TabControl>(settings_names::kTabs);
  Get(settings::kHotkeyList).Focus();
  ASSERT_TRUE(Tab(false, true));
  EXPECT_EQ(pages.Selected(), 1);
  EXPECT_TRUE(IsChild(pages.hwnd(), GetFocus()) && IsWindowVisible(GetFocus()));
  ASSERT_TRUE(Tab(true, true));
  ASSERT_TRUE(Tab(true, true));
  EXPECT_EQ(pages.Selected(), 2);
}

// Not a check: pictures of each panel at 100 % and 150 % for a person to look at.
TEST_F(AddPanelsTest, PicturesOfThePanels) {
  const fs::path pictures = fs::current_path() / L"screenshots";
  fs::create_directories(pictures);
  for (int dpi : {96, 144}) {
    RECT r{};
    GetWindowRect(window.hwnd(), &r);
    r.right = r.left + MulDiv(kLauncherWidth, dpi, 96);
    r.bottom = r.top + MulDiv(kLauncherHeight, dpi, 96);
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    const auto picture = [&](std::string_view panel, const wchar_t* name) {
      Pump(200);
      EXPECT_TRUE(test_support::SaveWindowPicture(
          Get(panel).hwnd(), pictures / (std::wstring(name) + L"-" + std::to_wstring(dpi) + L".png")));
      Get(panel).Show(false);
    };
    panels->OpenShortcut();
    Press('K');
    Get("编辑框_快捷键标题").SetText("截图");
    picture("图片框_添加快捷键", L"shortcut-panel");
    panels->OpenBookmark();
    Get("编辑框_书签地址").SetText("https://www.例子.cn/");
    Get("编辑框_书签标题").SetText("例子");
    picture("图片框_添加书签", L"bookmark-panel");
    panels->OpenGroupToRename(2, "我的常用网站");
    picture("图片框_添加分组", L"group-panel");
  }
}

}  // namespace
}  // namespace velora::ui
