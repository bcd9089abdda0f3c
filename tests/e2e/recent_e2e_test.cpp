// The recent list of the real program: shortcuts placed in the prefix's Recent folder appear
// newest first after a click on the recent button, a row tips its target, a double click opens
// the target with the shell (a recorder program stands in for its handler), and a second click
// hides the list. The Recent folder is put back as it was.
#include <windows.h>
// After windows.h, whose types these use.
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "e2e/desktop_input.h"
#include "e2e/installed_copy.h"
#include "e2e/velora_process.h"
#include "support/recorder_file_type_win32.h"
#include "support/shell_link_win32.h"
#include "text/utf.h"

using namespace velora::e2e;

namespace {

namespace fs = std::filesystem;

fs::path RecentFolder() {
  wchar_t* raw = nullptr;
  fs::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Recent, KF_FLAG_CREATE, nullptr, &raw))) folder = raw;
  CoTaskMemFree(raw);
  return folder;
}

bool SetWritten(const fs::path& file, const FILETIME& written) {
  HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool set = SetFileTime(handle, nullptr, nullptr, &written) != FALSE;
  CloseHandle(handle);
  return set;
}

// Now, `minutes` earlier.
FILETIME MinutesAgo(int minutes) {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  ticks.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10'000'000;
  return {ticks.LowPart, ticks.HighPart};
}

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class RecentTest : public InstalledCopyTest {
 protected:
  void SetUp() override {
    InstalledCopyTest::SetUp();
    recent = RecentFolder();
    ASSERT_FALSE(recent.empty());
    // What the prefix's Recent folder holds waits aside until the test is over.
    aside = folder.path() / L"Recent 原有";
    fs::create_directories(aside);
    for (const auto& entry : fs::directory_iterator(recent)) {
      if (entry.is_regular_file()) fs::rename(entry.path(), aside / entry.path().filename());
    }
    recorder = folder.path() / L"记录器.exe";
    fs::copy_file(VELORA_RECORDER, recorder);
    file_type = std::make_unique<velora::testing::RecorderFileType>(recorder);
    ASSERT_TRUE(file_type->ok());
  }
  void TearDown() override {
    file_type.reset();
    std::error_code ignored;
    for (const fs::path& link : made) fs::remove(link, ignored);
    if (!recent.empty() && fs::is_directory(aside)) {
      for (const auto& entry : fs::directory_iterator(aside)) {
        fs::rename(entry.path(), recent / entry.path().filename(), ignored);
      }
    }
  }

  // A shortcut in the Recent folder to `target`, last written `minutes` ago.
  void PlaceShortcut(const std::wstring& name, const fs::path& target, int minutes) {
    const fs::path link = recent / name;
    ASSERT_TRUE(velora::testing::WriteShellLink(link, target.wstring()));
    made.push_back(link);
    ASSERT_TRUE(SetWritten(link, MinutesAgo(minutes)));
  }

  std::string Recorded() {
    const fs::path log = recorder.wstring() + L".log";
    WaitUntil([&] { return fs::exists(log); }, 10000);
    Sleep(100);
    std::ostringstream text;
    text << std::ifstream(log, std::ios::binary).rdbuf();
    return text.str();
  }

  fs::path recent;
  fs::path aside;
  fs::path recorder;
  std::unique_ptr<velora::testing::RecorderFileType> file_type;
  std::vector<fs::path> made;
};

}  // namespace

TEST_F(RecentTest, ShortcutsInTheRecentFolderAppearNewestFirstAndOpenTheirTargets) {
  // Wine keeps a link's target in the ANSI code page: the targets are plain ASCII, the
  // shortcuts' own names Chinese.
  const fs::path document = folder.path() / L"report.veloratest";
  std::ofstream(document) << "report";
  const fs::path notes = folder.path() / L"notes.txt";
  std::ofstream(notes) << "notes";
  fs::create_directories(folder.path() / L"Downloads");
  PlaceShortcut(L"笔记.txt.lnk", notes, 30);
  PlaceShortcut(L"季度报告.veloratest.lnk", document, 1);
  PlaceShortcut(L"下载.lnk", folder.path() / L"Downloads", 10);

  VeloraProcess velora(exe);
  HWND window = StartShown(velora);
  ASSERT_NE(window, nullptr);
  HWND list = FindChildByText(window, L"最近打开列表");
  HWND button = FindChildByText(window, L"最近打开");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(IsWindowVisible(list));

  RECT r{};
  GetWindowRect(button, &r);
  Click(CentreOf(r));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list); })) << "the list never showed";
  // The rows come from a worker that resolves each shortcut through the shell: on a loaded
  // machine that takes seconds, not a different result.
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 3; }, 30000))
      << SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) << " rows";
  const std::wstring expected[3][3] = {
      {L"季度报告", L".veloratest", L""}, {L"下载", L"文件夹", L""}, {L"笔记", L".txt", L""}};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(ListViewCell(list, row, 1), expected[row][0]) << row;
    EXPECT_EQ(ListViewCell(list, row, 2), expected[row][1]) << row;
    EXPECT_EQ(ListViewCell(list, row, 3).size(), 19u) << row;  // yyyy-MM-dd hh:mm:ss
  }
  EXPECT_EQ(fs::path(ListViewCell(list, 0, 0)), recent / L"季度报告.veloratest.lnk");
  Sleep(200);  // painted
  EXPECT_TRUE(SaveScreenshot(window, L"recent_list.png"));

  // Pointing at a row tips its target.
  const RECT first = ListViewRowRect(list, 0);
  ASSERT_GT(first.bottom, first.top);
  const POINT on_first{first.left + 60, (first.top + first.bottom) / 2};
  MovePointer(on_first);  // straight from the button: its late leave leaves the row's tip up
  HWND tip = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    tip = FindWindowW(L"VeloraTip", nullptr);
    return tip && IsWindowVisible(tip) && FindChildByText(tip, document.wstring()) != nullptr;
  })) << "no tip naming "
      << velora::text::Narrow(document.wstring());

  // A double click opens the shortcut's target with the shell.
  Click(on_first);
  Click(on_first);
  EXPECT_NE(Recorded().find("report.veloratest"), std::string::npos);

  // The button hides the shown list.
  Click(CentreOf(r));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(list); }));
  EXPECT_EQ(velora.Close(), 0u);
}
