// The Recent folder read for real: shortcuts made by the shell's link object, file times set on
// disk, the user's clock setting, and the worker handing its readings back to this thread.
#include "acquire/recent_folder_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

#include "support/message_pump_win32.h"
#include "support/shell_link_win32.h"
#include "support/temp_folder.h"
#include "text/fs_path.h"

namespace velora::acquire {
namespace {

namespace fs = std::filesystem;

// 2024-05-06 07:08:09 UTC, in whole seconds since 1601.
constexpr std::int64_t kBase = 13'360'115'289;

FILETIME FileTimeOf(std::int64_t seconds) {
  ULARGE_INTEGER ticks{};
  ticks.QuadPart = static_cast<ULONGLONG>(seconds) * 10'000'000;
  return {ticks.LowPart, ticks.HighPart};
}

bool SetWritten(const fs::path& file, std::int64_t seconds) {
  HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const FILETIME written = FileTimeOf(seconds);
  const bool set = SetFileTime(handle, nullptr, nullptr, &written) != FALSE;
  CloseHandle(handle);
  return set;
}

// The local time of `seconds` as the shell's own date and time formatting writes it.
std::string LocalText(std::int64_t seconds) {
  const FILETIME utc = FileTimeOf(seconds);
  FILETIME local_time{};
  SYSTEMTIME local{};
  FileTimeToLocalFileTime(&utc, &local_time);
  FileTimeToSystemTime(&local_time, &local);
  wchar_t date[32] = {};
  wchar_t time[32] = {};
  GetDateFormatEx(LOCALE_NAME_INVARIANT, 0, &local, L"yyyy'-'MM'-'dd", date, 32, nullptr);
  GetTimeFormatEx(LOCALE_NAME_INVARIANT, 0, &local, L"HH':'mm':'ss", time, 32);
  char text[64] = {};
  WideCharToMultiByte(CP_UTF8, 0, (std::wstring(date) + L" " + time).c_str(), -1, text, sizeof text, nullptr,
                      nullptr);
  return text;
}

class RecentFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(recent); }

  // `count` files named as shortcuts, the i-th written at kBase + i * 60.
  void MakeFiles(int count) {
    for (int i = 0; i < count; ++i) {
      const fs::path file = recent / text::PathFromUtf8("文件" + std::to_string(i) + ".txt.lnk");
      std::ofstream(file).put('x');
      ASSERT_TRUE(SetWritten(file, kBase + i * 60));
    }
  }

  velora::testing::TempFolder temp{"velora-recent"};
  const fs::path& folder = temp.path();
  const fs::path recent = folder / "Recent";
};

TEST_F(RecentFolderTest, TheUsersRecentFolderComesFromTheShell) {
  const std::optional<fs::path> found = RecentFolder();
  ASSERT_TRUE(found);
  EXPECT_TRUE(fs::is_directory(*found)) << found->string();
  EXPECT_EQ(found->filename(), "Recent");
}

TEST_F(RecentFolderTest, ShortcutsNewestFirstWithNamesDatesAndTargets) {
  // Wine keeps a link's target in the ANSI code page: the targets are plain ASCII.
  const fs::path document = folder / "report.docx";
  std::ofstream(document).put('x');
  fs::create_directories(folder / "Downloads");
  ASSERT_TRUE(testing::WriteShellLink(recent / L"季度报告.docx.lnk", document.wstring()));
  ASSERT_TRUE(testing::WriteShellLink(recent / L"下载.lnk", (folder / "Downloads").wstring()));
  ASSERT_TRUE(SetWritten(recent / L"季度报告.docx.lnk", kBase + 300));
  ASSERT_TRUE(SetWritten(recent / L"下载.lnk", kBase + 200));
  // The folder's own hidden file is listed too; its subfolders are not, however new.
  std::ofstream(recent / "desktop.ini") << "[.ShellClassInfo]";
  SetFileAttributesW((recent / "desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(SetWritten(recent / "desktop.ini", kBase));
  fs::create_directories(recent / "AutomaticDestinations");
  ASSERT_TRUE(testing::WriteShellLink(recent / "AutomaticDestinations" / L"新.lnk", document.wstring()));
  ASSERT_TRUE(SetWritten(recent / "AutomaticDestinations", kBase + 900));

  const std::vector<RecentRow> rows = ReadRecentFolder(recent, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(text::PathFromUtf8(rows[0].path), recent / L"季度报告.docx.lnk");
  EXPECT_EQ(rows[0].name, "季度报告");
  EXPECT_EQ(rows[0].extension, ".docx");
  EXPECT_EQ(rows[0].modified, LocalText(kBase + 300));
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(rows[0].target), document)) << rows[0].target;

  EXPECT_EQ(rows[1].name, "下载");
  EXPECT_EQ(rows[1].extension, "文件夹");
  EXPECT_EQ(rows[1].modified, LocalText(kBase + 200));
  EXPECT_TRUE(fs::equivalent(text::PathFromUtf8(rows[1].target), folder / "Downloads")) << rows[1].target;

  EXPECT_EQ(rows[2].name, "desktop");
  EXPECT_EQ(rows[2].extension, "文件夹");
  EXPECT_EQ(rows[2].target, "");  // no link: nothing to open or tip
}

TEST_F(RecentFolderTest, TheFiftyNewestOfThousandsAndNothingForAFolderThatIsNotThere) {
  MakeFiles(2000);
  const auto start = std::chrono::steady_clock::now();
  const std::vector<RecentRow> rows = ReadRecentFolder(recent, true);
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("read 2000 files in %lld ms\n", static_cast<long long>(elapsed.count()));
  ASSERT_EQ(rows.size(), kRecentRowLimit);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, "文件" + std::to_string(1999 - i)) << i;
    EXPECT_EQ(rows[i].extension, ".txt");
  }
  EXPECT_EQ(rows.back().modified, LocalText(kBase + 1950 * 60));

  // Asked to stop, it stops and gives nothing.
  int asked = 0;
  EXPECT_TRUE(ReadRecentFolder(recent, true, [&] { return ++asked < 10; }).empty());
  EXPECT_EQ(asked, 10);
  EXPECT_TRUE(ReadRecentFolder(folder / "不存在", true).empty());
}

TEST_F(RecentFolderTest, TheClockSettingOfTheUserDecidesTheHours) {
  wchar_t saved[80] = {};
  ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIMEFORMAT, saved, 80), 0);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"HH:mm:ss"));
  EXPECT_TRUE(ClockIs24Hour());
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"h:mm:ss tt"));
  EXPECT_FALSE(ClockIs24Hour());
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, saved);
}

// What the reader hands back to this thread, as the recent list gets it.
class Receiver {
 public:
  core::UiPoster Poster() const { return ui_->Poster(); }
  RecentReader::Deliver Deliver() {
    return [this](const std::vector<RecentRow>& rows) { readings.push_back(rows); };
  }

  std::vector<std::vector<RecentRow>> readings;

 private:
  std::unique_ptr<core::UiDispatcher> ui_ = core::UiDispatcher::Create();
};

TEST_F(RecentFolderTest, OnlyTheNewestRefillArrivesAndTheRowsCome) {
  MakeFiles(120);
  Receiver receiver;
  RecentReader reader(receiver.Poster(), receiver.Deliver(),
                      [this] { return std::optional<fs::path>(recent); });
  ASSERT_TRUE(reader.Refill());
  ASSERT_TRUE(reader.Refill());
  ASSERT_TRUE(testing::PumpUntil([&] { return !receiver.readings.empty(); }, 10000));
  testing::PumpFor(300);  // an overtaken reading that got out would arrive meanwhile
  ASSERT_EQ(receiver.readings.size(), 1u);
  ASSERT_EQ(receiver.readings[0].size(), kRecentRowLimit);
  EXPECT_EQ(receiver.readings[0].front().name, "文件119");

  // The panel asks again: a new reading comes.
  ASSERT_TRUE(reader.Refill());
  EXPECT_TRUE(testing::PumpUntil([&] { return receiver.readings.size() == 2; }, 10000));
}

TEST_F(RecentFolderTest, ClosingDuringAStalledReadingDoesNotWaitForItAndNothingArrives) {
  // A folder on a share that does not answer: the reading stalls until the test lets it go.
  const std::shared_ptr<void> stall(CreateEventW(nullptr, TRUE, FALSE, nullptr), CloseHandle);
  Receiver receiver;
  const auto start = std::chrono::steady_clock::now();
  {
    RecentReader reader(receiver.Poster(), receiver.Deliver(), [stall, recent = recent] {
      WaitForSingleObject(stall.get(), 10000);
      return std::optional<fs::path>(recent);
    });
    ASSERT_TRUE(reader.Refill());
  }
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(elapsed.count(), 1000);
  SetEvent(stall.get());
  testing::PumpFor(500);
  EXPECT_TRUE(receiver.readings.empty());
}

}  // namespace
}  // namespace velora::acquire
