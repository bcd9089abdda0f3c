// The about page's backup list on a real launcher window: it lists the backups of a real store
// newest first with their item counts when the page comes into view, and "恢复" restores the
// selected one only after the user said yes.
#include <windows.h>
// After windows.h, whose types these use.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../store/temp_store.h"
#include "store/backup.h"
#include "text/utf.h"
#include "toolkit/gdiplus.h"
#include "toolkit/list_view.h"
#include "toolkit/tab_control.h"
#include "ui/launcher_test_parts.h"
#include "ui/launcher_window.h"
#include "ui/settings_ui.h"

namespace velora::ui {
namespace {

namespace fs = std::filesystem;

using test_parts::BuildingHost;
using test_parts::Parts;
using test_parts::Pump;

class StepClock final : public store::Clock {
 public:
  text::LocalTime Now() override { return now; }
  text::LocalTime now{2026, 12, 8, 7, 0, 0};
};

// Answers the next message box of this process with `answer` and keeps its text.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(int answer) {
    worker_ = std::thread([this, answer] {
      for (int i = 0; i < 500 && !done_; ++i) {
        if (HWND box = FindWindowW(L"#32770", kLauncherTitle)) {
          wchar_t buffer[1024] = {};
          GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
          text_ = text::Narrow(buffer);
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
          seen_ = true;
          return;
        }
        Sleep(10);
      }
    });
  }
  ~MessageBoxAnswer() { (void)Seen(); }
  // Waits for the worker; whether a box came up.
  bool Seen() {
    done_ = true;
    if (worker_.joinable()) worker_.join();
    return seen_;
  }
  const std::string& text() const { return text_; }

 private:
  std::thread worker_;
  std::atomic<bool> done_{false};
  std::atomic<bool> seen_{false};
  std::string text_;
};

class AboutBackupsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = std::make_unique<toolkit::GdiplusSession>(); }
  static void TearDownTestSuite() { gdiplus_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(live.Open(text::PathToUtf8(StorePath()), store::Database::kOpenCreate));
    ASSERT_TRUE(live.Execute("create table 软件 (code TEXT); insert into 软件 values ('a')"));
    for (const char* add : {"insert into 软件 values ('b')", "insert into 软件 values ('c')", ""}) {
      ASSERT_TRUE(backups.Make(live));
      clock.now.day += 1;
      if (*add) {
        ASSERT_TRUE(live.Execute(add));
      }
    }
    ASSERT_TRUE(window_store_.Make());
    ASSERT_TRUE(launcher_.Create(GetModuleHandleW(nullptr), host_, *gdiplus_));
    ShowWindow(launcher_.hwnd(), SW_SHOW);
    Pump(100);                           // the hidden parts are built once the panel has shown
    Parts::settings(launcher_).Build();  // the settings panel at its first need
    list_ = Parts::controls(launcher_).FindAs<toolkit::ListView>("超级列表框_备份");
    restore_ = Parts::controls(launcher_).Find("按钮_恢复备份");
    ASSERT_NE(list_, nullptr);
    ASSERT_NE(restore_, nullptr);
  }

  fs::path StorePath() const { return folder.path() / "Velora.db"; }

  SettingsActions BackupActions() {
    SettingsActions a;
    a.list_backups = [this] { return ListBackupEntries(backups.folder()); };
    a.restore_backup = [this](const fs::path& file) {
      restored.push_back(file);
      store::FileRestoreSteps steps(live, StorePath(), backups);
      (void)store::Restore(steps, file, StorePath());
    };
    return a;
  }

  // As a click on the tab does: the tab control selects and tells its parent.
  void ShowAboutPage() {
    Parts::settings(launcher_).Toggle();
    auto* tabs = Parts::controls(launcher_).FindAs<toolkit::TabControl>("选择夹_组件");
    ASSERT_NE(tabs, nullptr);
    tabs->Select(2);
    NMHDR header{tabs->hwnd(), static_cast<UINT_PTR>(GetDlgCtrlID(tabs->hwnd())), TCN_SELCHANGE};
    SendMessageW(GetParent(tabs->hwnd()), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }

  void SelectRow(int row) {
    ListView_SetItemState(list_->hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }

  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < list_->RowCount(); ++i)
      rows.push_back(list_->CellText(i, 0) + " | " + list_->CellText(i, 1));
    return rows;
  }

  int Items() {
    store::Statement q = live.Query("select count(*) from 软件");
    return q.Step() ? q.ColumnInt(0) : -1;
  }

  velora::testing::TempFolder folder;
  store::Database live;
  StepClock clock;
  store::Backups backups{folder.path() / "backup", clock};
  std::vector<fs::path> restored;
  static inline std::unique_ptr<toolkit::GdiplusSession> gdiplus_;
  BuildingHost host_;
  settings::OptionsHolder options_;
  test_parts::StoreFolder window_store_{"about"};  // what the panel shows
  LauncherWindow launcher_{test_parts::ServicesFor(options_, window_store_, BackupActions())};
  toolkit::ListView* list_ = nullptr;
  toolkit::Control* restore_ = nullptr;
};

}  // namespace

TEST_F(AboutBackupsTest, ThePageListsTheBackupsNewestFirstWithTheirItems) {
  EXPECT_EQ(list_->RowCount(), 0);  // nothing is read before the page is looked at
  ShowAboutPage();
  EXPECT_TRUE(list_->visible());
  EXPECT_TRUE(restore_->visible());
  EXPECT_EQ(restore_->Text(), "恢复");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2026-12-10 07:00 | 3", "2026-12-09 07:00 | 2",
                                              "2026-12-08 07:00 | 1"}));
  // A backup made while the page is open shows at once.
  ASSERT_TRUE(backups.Make(live));
  launcher_.BackupsChanged();
  ASSERT_EQ(list_->RowCount(), 4);
  EXPECT_EQ(list_->CellText(0, 0), "2026-12-11 07:00");
}

TEST_F(AboutBackupsTest, RestoreAsksFirstAndPutsTheChosenBackupInPlace) {
  ShowAboutPage();
  SendMessageW(restore_->hwnd(), BM_CLICK, 0, 0);  // nothing selected: no question, nothing restored
  EXPECT_TRUE(restored.empty());

  SelectRow(2);
  {
    MessageBoxAnswer no(IDNO);
    SendMessageW(restore_->hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(no.Seen());
    EXPECT_NE(no.text().find("2026-12-08 07:00:00"), std::string::npos) << no.text();
  }
  EXPECT_TRUE(restored.empty());
  EXPECT_EQ(Items(), 3);

  MessageBoxAnswer yes(IDYES);
  SendMessageW(restore_->hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(yes.Seen());
  ASSERT_EQ(restored.size(), 1u);
  EXPECT_EQ(restored[0].filename(), fs::path("Velora-20261208-070000.db"));
  EXPECT_EQ(Items(), 1);
  // The store as it was before the restore is the newest backup now, and listed.
  ASSERT_EQ(list_->RowCount(), 4);
  EXPECT_EQ(Rows().front(), "2026-12-11 07:00 | 3");
}

}  // namespace velora::ui
