// A list cleared by mistake comes back: the copy kept before "清空列表" is restored from the about
// page with real clicks, and every item is found again in the store and on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/desktop_input.h"
#include "e2e/menu_driving.h"
#include "e2e/velora_process.h"

using namespace velora;
using namespace velora::e2e;

namespace {

using BackupTest = MenuDrivingTest;

HWND ChildOfClass(HWND parent, const wchar_t* class_name) {
  struct Search {
    const wchar_t* name;
    HWND found = nullptr;
  } search{class_name};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (std::wstring(name) != s->name) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

TEST_F(BackupTest, AClearedListComesBackFromTheAboutPage) {
  const std::vector<std::wstring> names = {L"一's", L"二\"", L"三"};
  InstallWithItems("软件", {TextItem("一's", "2030-01-03 00:00:00"), TextItem("二\"", "2030-01-02 00:00:00"),
                            TextItem("三", "")});
  const std::vector<std::string> before = Codes("软件");
  std::size_t total = 0;
  {
    store::Database db;
    ASSERT_TRUE(db.Open(text::PathToUtf8(StoreFile())));
    for (const std::string& table : store::BuildCategoryList(db)) total += store::ListCodes(db, table).size();
  }
  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND grid = FindItemGrid(window);
  for (const auto& name : names) ASSERT_TRUE(Shows(grid, name));

  Click(CentreOf(FindShown(window, L"清空列表")));
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  ChooseEntry(menu, 1, 2);
  ASSERT_TRUE(ToastShows(window, L"清空列表完成"));
  ASSERT_TRUE(WaitUntil([&] { return !Shows(grid, L"三"); }));

  HWND settings = FindShown(window, L"设置");
  ASSERT_NE(settings, nullptr);
  Click(CentreOf(settings));
  HWND tabs = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (tabs = ChildOfClass(window, L"SysTabControl32")) && IsWindowVisible(tabs); }));
  RECT r{};
  GetWindowRect(tabs, &r);
  Click({r.left + 26, r.top + 4 + 40 * 2 + 20});  // "关于", the third tab in the strip on the left
  HWND list = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (list = FindShown(window, L"备份")) && ListViewCell(list, 0, 0).size() > 0; }));
  EXPECT_TRUE(SaveScreenshot(window, L"about_backups.png"));
  // Newest first: the copy "清空列表" kept, holding every item of the store.
  EXPECT_EQ(ListViewCell(list, 0, 1), std::to_wstring(total));
  const RECT row = ListViewRowRect(list, 0);
  Click({(row.left + row.right) / 2, (row.top + row.bottom) / 2});
  HWND restore = FindShown(window, L"恢复");
  ASSERT_NE(restore, nullptr);
  Click(CentreOf(restore));

  HWND confirm = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (confirm = FindWindowW(L"#32770", L"Velora")) && IsWindowVisible(confirm); }));
  EXPECT_TRUE(SaveScreenshot(confirm, L"about_restore_confirm.png"));
  HWND yes = GetDlgItem(confirm, IDYES);
  ASSERT_NE(yes, nullptr);
  Click(CentreOf(yes));

  EXPECT_TRUE(ToastShows(window, L"恢复完成"));
  EXPECT_TRUE(WaitUntil([&] { return Shows(grid, L"三"); }));
  for (const auto& name : names) EXPECT_TRUE(Shows(grid, name));
  std::vector<std::string> after = Codes("软件");
  EXPECT_EQ(after, before) << "every item back, in its order";
  EXPECT_TRUE(SaveScreenshot(window, L"about_restored.png"));
  EXPECT_EQ(velora.Close(), 0u);
}
