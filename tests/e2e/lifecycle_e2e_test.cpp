// The program's life cycle driven from outside: first run, later runs, a second copy.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/directory_watch.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "store/database.h"
#include "text/fs_path.h"
#include "text/utf.h"

using namespace velora::e2e;
using velora::store::Database;

namespace {

class LifecycleTest : public InstalledCopyTest {
 protected:
  std::filesystem::path Data() const { return folder.path() / L"配置"; }
  std::filesystem::path Store() const { return Data() / L"Velora.db"; }

  int CountRows(const std::string& table) const {
    Database db;
    if (!db.Open(velora::text::PathToUtf8(Store()))) return -1;
    velora::store::Statement q = db.Query("select count(*) from \"" + table + "\"");
    return q.Step() ? q.ColumnInt(0) : -1;
  }

  // Starts a copy, checks its window, and closes it again.
  void RunOnce() {
    VeloraProcess velora(exe);
    ASSERT_TRUE(velora.Started());
    HWND window = velora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(velora.Close(), 0u);
  }
};

std::size_t FirstAppearance(const std::vector<FileEvent>& events, const std::wstring& name) {
  const auto it = std::find_if(events.begin(), events.end(), [&](const FileEvent& e) {
    return e.name == name && (e.action == FILE_ACTION_ADDED || e.action == FILE_ACTION_RENAMED_NEW_NAME);
  });
  return static_cast<std::size_t>(it - events.begin());
}

}  // namespace

TEST_F(LifecycleTest, FirstRunWritesItsFilesInOrderAndALaterRunOnlyItsSettings) {
  {
    DirectoryWatch watch(folder.path());
    ASSERT_TRUE(watch.Watching());
    VeloraProcess velora(exe);
    HWND window = velora.WaitForWindow();
    ASSERT_NE(window, nullptr);

    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 510);
    EXPECT_EQ(rect.bottom - rect.top, 311);
    // Frameless: no caption, and the client area is the whole window.
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 510);
    EXPECT_EQ(client.bottom, 311);
    // Started long after boot: shown and held, once start-up has run.
    if (GetTickCount64() > 120000) {
      EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    }
    EXPECT_EQ(velora.Close(), 0u);

    const auto events = watch.Collect();
    const std::size_t data = FirstAppearance(events, L"配置");
    const std::size_t icons = FirstAppearance(events, L"配置\\icon");
    const std::size_t store = FirstAppearance(events, L"配置\\Velora.db");
    const std::size_t screensaver = FirstAppearance(events, L"配置\\FlipIt.scr");
    EXPECT_LT(data, icons);
    EXPECT_LT(icons, store);
    EXPECT_LT(store, screensaver);
    EXPECT_LT(screensaver, events.size());
  }
  EXPECT_TRUE(std::filesystem::is_directory(Data() / L"icon"));
  EXPECT_EQ(CountRows("书签"), 14);
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(Data()))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  // Exit saves the settings; nothing else is written on exit. The day's first start keeps a copy
  // of the store.
  EXPECT_EQ(names,
            (std::vector<std::wstring>{L"FlipIt.scr", L"Velora.db", L"Velora配置.ini", L"backup", L"icon"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Data() / L"backup"),
                          std::filesystem::directory_iterator()),
            1);

  DirectoryWatch watch(folder.path());
  RunOnce();
  // A later run writes only the settings file, through a temporary file beside it.
  for (const FileEvent& e : watch.Collect()) {
    EXPECT_TRUE(e.name.starts_with(L"配置\\Velora配置.ini") || e.name == L"配置")
        << "changed: " << e.action << " " << velora::text::Narrow(e.name);
  }
}

TEST_F(LifecycleTest, UserDataSurvivesARestartAndADeletedStoreIsRestored) {
  RunOnce();
  {
    Database db;
    ASSERT_TRUE(db.Open(velora::text::PathToUtf8(Store())));
    ASSERT_TRUE(db.Execute("delete from 书签 where rowid in (select rowid from 书签 limit 4)"));
  }
  RunOnce();
  EXPECT_EQ(CountRows("书签"), 10);

  std::filesystem::remove(Store());
  RunOnce();
  EXPECT_EQ(CountRows("书签"), 14);
}

TEST_F(LifecycleTest, SecondCopyBringsTheFirstForwardAndLeavesWithCodeZero) {
  VeloraProcess first(exe);
  HWND window = first.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  ShowWindow(window, SW_HIDE);
  ASSERT_FALSE(IsWindowVisible(window));

  DirectoryWatch watch(folder.path());
  {
    VeloraProcess second(exe);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
  }
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(watch.Collect().empty());
  EXPECT_EQ(first.WaitForExit(0), std::nullopt);  // the first copy runs on
  EXPECT_EQ(first.Close(), 0u);
}
