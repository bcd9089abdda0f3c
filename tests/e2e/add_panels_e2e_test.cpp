// The add panels driven with real clicks and keys: a bookmark whose title holds quotes, a
// keyboard shortcut captured by pressing its key, and a group added, renamed and deleted; each
// checked in the store file and on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e/desktop_input.h"
#include "e2e/menu_driving.h"
#include "e2e/settings_driving.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"

using namespace velora;
using namespace velora::e2e;

namespace {

class AddPanelTest : public MenuDrivingTest {
 protected:
  // Opens the add menu from its command-bar button and chooses entry `index` of its four.
  static void ChooseFromAddMenu(HWND window, int index) {
    HWND add = FindShown(window, L"添加书签");
    ASSERT_NE(add, nullptr);
    HWND menu = OpenMenu([&] { Click(CentreOf(add)); });
    ASSERT_NE(menu, nullptr);
    ChooseEntry(menu, index, 4);
  }

  std::optional<store::ItemRow> Item(const std::string& table, const std::string& code) const {
    store::Database db;
    if (!db.Open(text::PathToUtf8(StoreFile()))) return std::nullopt;
    return store::ReadItem(db, table, code);
  }

  bool HasTable(const std::string& name) const {
    store::Database db;
    return db.Open(text::PathToUtf8(StoreFile())) && db.TableExists(name);
  }
};

}  // namespace

TEST_F(AddPanelTest, ABookmarkWithQuotesInItsTitleIsStoredAsTyped) {
  InstallWithItems("软件", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ChooseFromAddMenu(window, 2);
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"网址：") != nullptr; }));

  // An address alone is refused and the panel stays.
  ASSERT_NE(FocusEdit(window, L"网址："), nullptr);
  const std::wstring address = L"https://例子.cn/?q='引'";
  TypeText(address);
  PressKey(VK_RETURN);
  EXPECT_TRUE(ToastShows(window, L"请先填写"));

  ASSERT_NE(FocusEdit(window, L"标题："), nullptr);
  TypeText(L"他's \"书签\"");
  EXPECT_TRUE(SaveScreenshot(window, L"panel_bookmark_e2e.png"));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return FindShown(window, L"网址：") == nullptr; })) << "the panel closes";
  const auto row = Item("软件", "网址https://例子.cn/?q='引'");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->name, "他's \"书签\"");
  EXPECT_EQ(row->suffix, "书签");
  EXPECT_TRUE(row->date && !row->date->empty()) << "added in front";
  HWND grid = FindItemGrid(window);
  EXPECT_TRUE(WaitUntil([&] { return Captions(grid)[0] == L"他's \"书签\""; }));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(AddPanelTest, AShortcutTakesTheKeyPressedInItsKeyField) {
  InstallWithItems("热键", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseCategory(window, L"热键"));
  ChooseFromAddMenu(window, 1);
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"按键：") != nullptr; }));

  HWND key = FocusEdit(window, L"按键：");
  ASSERT_NE(key, nullptr);
  PressKey('A');
  EXPECT_TRUE(WaitUntil([&] { return TextOf(key) == L"A键"; })) << "shows " << TextOf(key).size();
  HWND status = FindShown(window, L"状态：17+17+65");
  EXPECT_NE(status, nullptr) << "the status line follows the key";

  // Without a name nothing is added.
  HWND add = FindShown(window, L"添加");
  ASSERT_NE(add, nullptr);
  Click(CentreOf(add));
  EXPECT_TRUE(ToastShows(window, L"请填写名称"));
  ASSERT_NE(FocusEdit(window, L"名称："), nullptr);
  TypeText(L"全选");
  EXPECT_TRUE(SaveScreenshot(window, L"panel_shortcut_e2e.png"));
  Click(CentreOf(add));
  EXPECT_TRUE(WaitUntil([&] { return FindShown(window, L"按键：") == nullptr; })) << "the panel closes";
  const auto row = Item("热键", "热键17+17+65");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->name, "全选");
  EXPECT_EQ(row->suffix, "热键");
  EXPECT_TRUE(WaitUntil([&] { return Shows(FindItemGrid(window), L"全选"); }));
  EXPECT_EQ(velora.Close(), 0u);
}

TEST_F(AddPanelTest, AGroupIsAddedRenamedAndDeleted) {
  InstallWithItems("软件", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  ChooseFromAddMenu(window, 0);
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"名称：") != nullptr; }));
  ASSERT_NE(FocusEdit(window, L"名称："), nullptr);
  TypeText(L"旅行's");
  EXPECT_TRUE(SaveScreenshot(window, L"panel_group_add_e2e.png"));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return HasTable("旅行's"); }));
  EXPECT_TRUE(WaitUntil([&] { return FindShown(window, L"名称：") == nullptr; })) << "the panel closes";

  // The new group is the last cell; the pointer rests on it once it is chosen.
  ASSERT_TRUE(ChooseCategory(window, L"旅行's"));
  POINT cell{};
  GetCursorPos(&cell);
  RightClick(cell);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 0, 2);  // "编辑名称"
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"修改") != nullptr; }));
  HWND name = FocusEdit(window, L"名称：");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(TextOf(name), L"旅行's");
  SendMessageW(name, EM_SETSEL, 0, -1);
  TypeText(L"出差");
  EXPECT_TRUE(SaveScreenshot(window, L"panel_group_rename_e2e.png"));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return HasTable("出差"); }));
  EXPECT_FALSE(HasTable("旅行's"));

  RightClick(cell);
  menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 1, 2);  // "删除分组"
  EXPECT_TRUE(ToastShows(window, L"删除分组完成"));
  EXPECT_FALSE(HasTable("出差"));
  EXPECT_TRUE(WaitUntil([&] { return Shows(FindItemGrid(window), L"我的电脑"); }));
  EXPECT_EQ(velora.Close(), 0u);
}

// Rebuilding the category bar (a skin applied, a group added) keeps the category on show
// selected, and the grid keeps showing its items.
TEST_F(AddPanelTest, TheBarAndTheGridKeepTheCategoryOnShowWhenTheBarIsRebuilt) {
  InstallWithItems("软件", {});
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND bar = FindChildByText(window, L"软件");
  HWND grid = FindItemGrid(window);
  ASSERT_TRUE(bar && grid);
  ASSERT_TRUE(ChooseCategory(window, L"书签"));
  ASSERT_TRUE(WaitUntil([&] { return Shows(grid, L"哔哩哔哩"); }));
  const auto bar_and_grid_show_bookmarks = [&] {
    wchar_t selected[64] = {};
    GetWindowTextW(bar, selected, 64);
    return std::wstring(selected) == L"书签" && Shows(grid, L"哔哩哔哩");
  };

  ToggleSettings(window);
  ChooseTab(window, 1);  // the skin page
  HWND apply = FindShown(window, L"应用");
  ASSERT_NE(apply, nullptr);
  Click(CentreOf(apply));
  ToggleSettings(window);
  EXPECT_TRUE(bar_and_grid_show_bookmarks()) << "after a skin was applied";

  ChooseFromAddMenu(window, 0);
  ASSERT_TRUE(WaitUntil([&] { return FindShown(window, L"名称：") != nullptr; }));
  ASSERT_NE(FocusEdit(window, L"名称："), nullptr);
  TypeText(L"周末");
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return HasTable("周末"); }));
  EXPECT_TRUE(bar_and_grid_show_bookmarks()) << "after a group was added";
  EXPECT_EQ(velora.Close(), 0u);
}
