// The shell's own context menu for real files and folders under Wine: filled by the shell's
// handler, dismissed without running anything, and a chosen entry run by its offset.
#include "desktop/shell_context_menu_win32.h"

#include <windows.h>
// After windows.h, whose types these use.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "desktop/input_window.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"

namespace velora::desktop {
namespace {

namespace fs = std::filesystem;

// The verbs of every entry with a command of its own.
std::set<std::string> Verbs(const ShellContextMenu& menu) {
  std::set<std::string> verbs;
  for (int i = 0; i < menu.ItemCount(); ++i) {
    const UINT id = GetMenuItemID(menu.handle(), i);
    if (id == static_cast<UINT>(-1) || id == 0) continue;  // a submenu or a separator
    EXPECT_GE(id, ShellContextMenu::kFirstCommand);
    EXPECT_LE(id, ShellContextMenu::kLastCommand);
    if (std::string verb = menu.Verb(id); !verb.empty()) verbs.insert(verb);
  }
  return verbs;
}

UINT CommandOf(const ShellContextMenu& menu, std::string_view verb) {
  for (int i = 0; i < menu.ItemCount(); ++i) {
    const UINT id = GetMenuItemID(menu.handle(), i);
    if (id != static_cast<UINT>(-1) && id != 0 && menu.Verb(id) == verb) return id;
  }
  return 0;
}

// The files the clipboard carries as a shell drop list.
std::vector<fs::path> ClipboardFiles() {
  std::vector<fs::path> files;
  if (!OpenClipboard(nullptr)) return files;
  if (auto* drop = static_cast<HDROP>(GetClipboardData(CF_HDROP))) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      wchar_t name[MAX_PATH] = {};
      DragQueryFileW(drop, i, name, MAX_PATH);
      files.emplace_back(name);
    }
  }
  CloseClipboard();
  return files;
}

class ShellMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder / "子文件夹");
    file = folder / text::PathFromUtf8("季度报告.txt");
    std::ofstream(file) << "report";
  }
  // One shown owner for the suite: Wine is slow to destroy shown windows.
  static void SetUpTestSuite() { owner_ = new testing::InputWindow(40, 40, 200, 120); }
  static void TearDownTestSuite() {
    delete owner_;
    owner_ = nullptr;
  }
  static HWND owner() { return owner_->hwnd(); }

  velora::testing::TempFolder temp{"velora 菜单"};
  const fs::path& folder = temp.path();
  fs::path file;
  static testing::InputWindow* owner_;
};
testing::InputWindow* ShellMenuTest::owner_ = nullptr;

TEST_F(ShellMenuTest, AFileAndAFolderGetTheShellsEntries) {
  const auto menu = ShellContextMenu::For(text::PathToUtf8(file));
  ASSERT_NE(menu, nullptr);
  EXPECT_GT(menu->ItemCount(), 0);
  const std::set<std::string> verbs = Verbs(*menu);
  EXPECT_TRUE(verbs.count("copy")) << ::testing::PrintToString(verbs);
  EXPECT_TRUE(verbs.count("properties")) << ::testing::PrintToString(verbs);

  const auto folder_menu = ShellContextMenu::For(text::PathToUtf8(folder / "子文件夹"));
  ASSERT_NE(folder_menu, nullptr);
  EXPECT_GT(folder_menu->ItemCount(), 0);
  EXPECT_FALSE(Verbs(*folder_menu).empty());
}

TEST_F(ShellMenuTest, NothingIsShownForAPathThatNamesNothing) {
  EXPECT_EQ(ShellContextMenu::For(text::PathToUtf8(folder / "不存在.txt")), nullptr);
  EXPECT_EQ(ShellContextMenu::For(""), nullptr);
  EXPECT_EQ(ShowShellContextMenu(owner(), text::PathToUtf8(folder / "不存在.txt")), -1);
  // An item code that is no hexadecimal path decodes to bytes that name nothing.
  EXPECT_EQ(ShowShellContextMenu(owner(), "功能取外网IP"), -1);
}

// Set while the tracked menu is up, from a timer on the test's thread.
struct MenuWatch {
  static inline bool menu_was_up = false;
  static void CALLBACK Dismiss(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND popup = FindWindowW(L"#32768", nullptr);
    menu_was_up = popup && IsWindowVisible(popup);
    EndMenu();
  }
};

TEST_F(ShellMenuTest, DismissingTheMenuRunsNothingAndAnswersZero) {
  const auto menu = ShellContextMenu::For(text::PathToUtf8(file));
  ASSERT_NE(menu, nullptr);
  MenuWatch::menu_was_up = false;
  SetTimer(nullptr, 0, 300, &MenuWatch::Dismiss);
  EXPECT_EQ(menu->Track(owner(), {80, 80}), 0);
  EXPECT_TRUE(MenuWatch::menu_was_up);
  EXPECT_TRUE(fs::exists(file));
}

TEST_F(ShellMenuTest, AnEntryRunsByItsOffsetFromTheFirstCommand) {
  const auto menu = ShellContextMenu::For(text::PathToUtf8(file));
  ASSERT_NE(menu, nullptr);
  const UINT copy = CommandOf(*menu, "copy");
  ASSERT_NE(copy, 0u);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  // "copy", not its neighbour "cut": the file stays and the clipboard names it.
  menu->Invoke(owner(), {80, 80}, copy);
  const std::vector<fs::path> files = ClipboardFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(fs::equivalent(files[0], file)) << files[0].string();
  EXPECT_TRUE(fs::exists(file));
}

}  // namespace
}  // namespace velora::desktop
