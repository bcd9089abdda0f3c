#include "acquire/recent_folder_win32.h"

// After windows.h, whose types these use.
#include <knownfolders.h>
#include <shlobj.h>

#include <chrono>

#include "core/com_apartment_win32.h"
#include "core/guarded.h"
#include "core/handles_win32.h"
#include "core/posted_value_win32.h"
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

UINT RecentListedMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(L"Velora.RecentListed");
  return message;
}

RecentListing TakeRecentListing(LPARAM lparam) { return core::TakePostedValue<RecentListing>(lparam); }

RecentReader::RecentReader(HWND notify, FolderSource folder) {
  shared_->notify = notify;
  shared_->folder = std::move(folder);
}

RecentReader::~RecentReader() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->changed.notify_all();
  if (!worker_.joinable()) return;
  // The reading checks between files, so it ends at once unless one file stalls it.
  std::unique_lock lock(shared_->mutex);
  const bool idle = shared_->changed.wait_for(lock, std::chrono::milliseconds(500),
                                              [this] { return shared_->finished == shared_->requested; });
  lock.unlock();
  if (idle) {
    worker_.join();
  } else {
    worker_.detach();  // it holds its shared state alive and posts nothing once stopping
  }
}

unsigned RecentReader::Refill() {
  if (!worker_.joinable()) {
    try {
      worker_ = std::thread([shared = shared_] { Run(shared); });
    } catch (...) {
      return 0;
    }
  }
  unsigned generation = 0;
  {
    std::lock_guard lock(shared_->mutex);
    generation = ++shared_->requested;
  }
  shared_->changed.notify_all();
  return generation;
}

bool RecentReader::IsLatest(const RecentListing& listing) const {
  std::lock_guard lock(shared_->mutex);
  return listing.generation == shared_->requested;
}

void RecentReader::Run(const std::shared_ptr<Shared>& shared) {
  core::Guarded("recent folder reader", [&] {
    // Held for the thread's life, so resolving each shortcut does not set COM up again.
    const core::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    for (;;) {
      unsigned generation = 0;
      {
        std::unique_lock lock(shared->mutex);
        shared->changed.wait(lock, [&] { return shared->stopping || shared->requested != shared->finished; });
        if (shared->stopping) {
          shared->finished = shared->requested;
          shared->changed.notify_all();
          return;
        }
        generation = shared->requested;
      }
      const auto current = [&] {
        std::lock_guard lock(shared->mutex);
        return !shared->stopping && shared->requested == generation;
      };
      RecentListing listing{generation, {}};
      core::Guarded("recent folder reading", [&] {
        if (const std::optional<std::filesystem::path> folder = shared->folder()) {
          listing.rows = ReadRecentFolder(*folder, ClockIs24Hour(), current);
        }
      });
      // An overtaken reading posts nothing: the next one is already due.
      if (current()) (void)core::PostValue(shared->notify, RecentListedMessage(), 0, std::move(listing));
      {
        std::lock_guard lock(shared->mutex);
        shared->finished = generation;
      }
      shared->changed.notify_all();
    }
  });
}

}  // namespace velora::acquire
