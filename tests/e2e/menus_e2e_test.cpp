// The panel's menus driven with real clicks: the item menu per kind, deleting an item, clearing a
// list, removing items whose files are gone, adding text from the clipboard and deleting a group,
// each checked in the store file and on screen.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/file_drop.h"
#include "e2e/menu_driving.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "text/fs_path.h"
#include "text/path_code.h"

using namespace velora;
using namespace velora::e2e;

namespace {

using MenuTest = MenuDrivingTest;

}  // namespace

TEST_F(MenuTest, TheItemMenuDeletesAnItemButNeverABuiltInOne) {
  InstallWithItems("软件", {TextItem("它's \"引号\"", "2030-01-01 00:00:00")});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(Shows(grid, L"它's \"引号\""));

  // A system place offers the file manager's menu and "删除"; deleting it is refused.
  RightClick(CellOf(grid, L"我的电脑"));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_item_system.png"));
  EXPECT_EQ(EntryCount(menu), 2);
  ChooseEntry(menu, 1, 2);
  EXPECT_TRUE(ToastShows(window, L"初始图标无法删除"));
  EXPECT_TRUE(Shows(grid, L"我的电脑"));

  // "菜单" on the desktop place shows the file manager's own menu for the desktop folder. The
  // toast lies over the first row until it has faded.
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"初始图标无法删除") == nullptr; }));
  RightClick(CellOf(grid, L"桌面"));
  menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 0, 2);
  HWND shell_menu = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    shell_menu = FindWindowW(L"#32768", nullptr);
    return shell_menu && IsWindowVisible(shell_menu) && EntryCount(shell_menu) != 2;
  }));
  if (shell_menu) {
    EXPECT_TRUE(SaveScreenshot(shell_menu, L"menu_shell_desktop.png"));
  }
  PressKey(VK_ESCAPE);
  EXPECT_EQ(FindShown(window, L"无法显示此项目的菜单"), nullptr);

  RightClick(CellOf(grid, L"它's \"引号\""));
  menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_item_text.png"));
  ChooseEntry(menu, 1, 2);
  EXPECT_TRUE(WaitUntil([&] { return !Shows(grid, L"它's \"引号\""); }));
  EXPECT_TRUE(Shows(grid, L"我的电脑"));
  const auto codes = Codes("软件");
  EXPECT_EQ(std::count(codes.begin(), codes.end(), "$$文本$$它's \"引号\""), 0);
  EXPECT_EQ(codes.size(), 4u);  // the four system places
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(MenuTest, ABookmarkAndAPictureOfferTheirOwnEntries) {
  const std::filesystem::path picture = folder.path() / L"照片.PNG";
  std::ofstream(picture, std::ios::binary) << "not really a picture";
  InstallWithItems("书签", {FileItem(picture, "2030-01-01 00:00:00")});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"书签"));
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(WaitUntil([&] { return Shows(grid, L"照片"); }));

  RightClick(CellOf(grid, L"照片"));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_item_picture.png"));
  EXPECT_EQ(EntryCount(menu), 4);
  ChooseEntry(menu, 1, 4);  // "复制文件": the file manager can paste the picture
  EXPECT_TRUE(ToastShows(window, L"复制文件完成"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  wchar_t pasted[MAX_PATH] = {};
  if (HANDLE files = GetClipboardData(CF_HDROP))
    DragQueryFileW(static_cast<HDROP>(files), 0, pasted, MAX_PATH);
  CloseClipboard();
  EXPECT_EQ(std::filesystem::path(pasted), picture);

  // The first bookmark of the template.
  const auto captions = Captions(grid);
  ASSERT_GT(captions.size(), 1u);
  RightClick(CellOf(grid, captions[1]));
  menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_item_bookmark.png"));
  EXPECT_EQ(EntryCount(menu), 4);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(MenuTest, ClearingAListKeepsOnlyTheSystemPlaces) {
  InstallWithItems("软件", {TextItem("一", "2030-01-01 00:00:01"),
                            TextItem("二", ""),
                            {"功能锁定屏幕", {}, "锁屏", "功能", {}, {}}});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(Shows(grid, L"一"));

  HWND clear = FindShown(window, L"清空列表");
  ASSERT_NE(clear, nullptr);
  Click(CentreOf(clear));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_clear.png"));
  ChooseEntry(menu, 1, 2);
  EXPECT_TRUE(ToastShows(window, L"清空列表完成"));
  EXPECT_TRUE(WaitUntil([&] { return !Shows(grid, L"一") && !Shows(grid, L"锁屏"); }));
  auto codes = Codes("软件");
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(codes, (std::vector<std::string>{"系统回收站", "系统我的电脑", "系统控制面板", "系统桌面"}));
  EXPECT_TRUE(SaveScreenshot(window, L"menu_clear_done.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(MenuTest, RemovingMissingItemsTakesOnlyTheDroppedFileThatIsGone) {
  std::vector<std::filesystem::path> files;
  for (const wchar_t* name : {L"甲.txt", L"乙.txt", L"丙.txt"}) {
    files.push_back(folder.path() / L"文件" / name);
    std::filesystem::create_directories(files.back().parent_path());
    std::ofstream(files.back()) << "x";
  }
  InstallWithItems("文档", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"文档"));
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(DropFiles(window, files, CentreOf(grid)));
  ASSERT_TRUE(WaitUntil([&] { return Shows(grid, L"甲") && Shows(grid, L"乙") && Shows(grid, L"丙"); }));
  const std::vector<std::string> dropped = Codes("文档");

  std::filesystem::remove(files[1]);
  Click(CentreOf(FindShown(window, L"清空列表")));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 0, 2);
  EXPECT_TRUE(ToastShows(window, L"清理失效完成，移除1项"));
  EXPECT_TRUE(WaitUntil([&] { return !Shows(grid, L"乙"); }));
  EXPECT_TRUE(Shows(grid, L"甲"));
  EXPECT_TRUE(Shows(grid, L"丙"));
  // Exactly the gone file's item left the store; the template's own items stay.
  std::vector<std::string> expected = dropped;
  const std::string gone = text::PathCode(text::PathToUtf8(files[1]));
  expected.erase(std::remove(expected.begin(), expected.end(), gone), expected.end());
  ASSERT_EQ(expected.size(), dropped.size() - 1);
  EXPECT_EQ(Codes("文档"), expected);
  EXPECT_TRUE(SaveScreenshot(window, L"menu_remove_missing_done.png"));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(MenuTest, TextFromTheClipboardIsAddedAsTyped) {
  InstallWithItems("软件", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  const std::wstring text = L"它's \"文本\"";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();

  HWND add = FindShown(window, L"添加书签");
  ASSERT_NE(add, nullptr);
  Click(CentreOf(add));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_add.png"));
  ChooseEntry(menu, 3, 4);
  HWND grid = FindItemGrid(window);
  EXPECT_TRUE(WaitUntil([&] { return Shows(grid, text); }));
  EXPECT_EQ(Captions(grid)[0], text) << "added in front";
  const auto codes = Codes("软件");
  EXPECT_EQ(std::count(codes.begin(), codes.end(), "$$文本$$它's \"文本\""), 1);
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(MenuTest, DeletingTheShownGroupShowsTheFirstCategory) {
  InstallWithItems("旅行", {TextItem("机票", "2030-01-01 00:00:00")});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND bar = FindChildByText(window, L"软件");
  ASSERT_NE(bar, nullptr);

  // The fixed categories are never deleted.
  RightClick(CentreOf(bar));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(SaveScreenshot(menu, L"menu_group.png"));
  ChooseEntry(menu, 1, 2);
  EXPECT_TRUE(ToastShows(window, L"初始分组框无法删除"));

  ASSERT_TRUE(ChooseCategory(window, L"旅行"));
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(WaitUntil([&] { return Shows(grid, L"机票"); }));
  RightClick(CentreOf(bar));
  menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 1, 2);
  EXPECT_TRUE(ToastShows(window, L"删除分组完成"));
  EXPECT_TRUE(WaitUntil([&] { return Shows(grid, L"我的电脑"); })) << "the first category is shown";
  wchar_t shown[64] = {};
  GetWindowTextW(bar, shown, 64);
  EXPECT_STREQ(shown, L"软件");
  store::Database db;
  ASSERT_TRUE(db.Open(text::PathToUtf8(StoreFile())));
  EXPECT_FALSE(db.TableExists("旅行"));
  EXPECT_TRUE(SaveScreenshot(window, L"menu_group_deleted.png"));
  EXPECT_EQ(velora.Close(), 0u);
}
