#include "acquire/recent_folder_win32.h"

// After windows.h, whose types these use.
#include <knownfolders.h>
#include <shlobj.h>

#include "core/handles_win32.h"
#include "exec/shell_open_win32.h"
#include "text/fs_path.h"
#include "text/utf.h"

namespace velora::acquire {
namespace {

constexpr std::int64_t kFileTimeTicksPerSecond = 10'000'000;

std::int64_t WholeSeconds(FILETIME time) {
  ULARGE_INTEGER ticks{};
  ticks.LowPart = time.dwLowDateTime;
  ticks.HighPart = time.dwHighDateTime;
  return static_cast<std::int64_t>(ticks.QuadPart / kFileTimeTicksPerSecond);
}

// Local time as it was at that moment, daylight saving included.
text::LocalTime LocalTimeOf(std::int64_t seconds) {
  ULARGE_INTEGER ticks{};
  ticks.QuadPart = static_cast<ULONGLONG>(seconds) * kFileTimeTicksPerSecond;
  const FILETIME utc{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&utc, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return {};
  }
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace

std::optional<std::filesystem::path> RecentFolder() {
  wchar_t* raw = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_Recent, KF_FLAG_DONT_VERIFY, nullptr, &raw);
  const core::UniqueCoTaskString path(raw);
  if (FAILED(result) || !path || !path.get()[0]) return std::nullopt;
  return std::filesystem::path(path.get());
}

bool ClockIs24Hour() {
  wchar_t flag[4] = {};
  // "1": 24 hours; "0": 12 hours. Unreadable: the 24-hour clock the rest of the program shows.
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_ITIME, flag, static_cast<int>(std::size(flag))))
    return true;
  return flag[0] != L'0';
}

std::vector<RecentRow> ReadRecentFolder(const std::filesystem::path& folder, bool twenty_four_hour,
                                        const std::function<bool()>& keep_going) {
  const std::wstring pattern = (folder / L"*").wstring();
  WIN32_FIND_DATAW found{};
  const core::UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find.get() == INVALID_HANDLE_VALUE) return {};
  // The find data carries every file's times: no file is opened for them.
  std::vector<RecentFile> files;
  do {
    if (keep_going && !keep_going()) return {};
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;  // ".", ".." and subfolders
    files.push_back({text::PathToUtf8(folder / found.cFileName), WholeSeconds(found.ftLastWriteTime)});
  } while (FindNextFileW(find.get(), &found));

  std::vector<RecentRow> rows;
  for (const RecentFile& file : NewestRecentFiles(std::move(files))) {
    if (keep_going && !keep_going()) return {};
    RecentName name = RecentNameOf(text::PathToUtf8(text::PathFromUtf8(file.path).filename()));
    const std::optional<exec::ShortcutTarget> target = exec::ResolveShortcutFile(file.path);
    rows.push_back({file.path, std::move(name.name), std::move(name.extension),
                    RecentTimeText(LocalTimeOf(file.written), twenty_four_hour),
                    target ? target->target : std::string()});
  }
  return rows;
}

RecentReader::RecentReader(core::UiPoster ui, Deliver deliver, FolderSource folder)
    : deliver_(std::move(deliver)),
      folder_(std::move(folder)),
      worker_(std::move(ui), {"recent folder reading", true, 0, 500}) {}

bool RecentReader::Refill() {
  return worker_.Replace(
      [folder = folder_](const core::WorkTicket& ticket) {
        const std::optional<std::filesystem::path> path = folder();
        // The reading checks between files, so an overtaken one ends at once.
        return path ? ReadRecentFolder(*path, ClockIs24Hour(), [&] { return ticket.Current(); })
                    : std::vector<RecentRow>();
      },
      deliver_, [] { return std::vector<RecentRow>(); });
}

}  // namespace velora::acquire
