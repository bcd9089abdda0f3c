#pragma once
// Fetching a web item's site icon on a worker thread: the download, the icon file, the row's
// 图标, and the result posted back to the window that asked.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include "acquire/favicon.h"
#include "core/single_worker_win32.h"

namespace velora::acquire {

// Where a fetch stores what it got.
struct FaviconPlaces {
  std::filesystem::path data_dir;  // holds the icon cache folder "icon"
  std::filesystem::path database;  // the item store file
};

struct FaviconResult {
  FaviconTarget target;
  std::string icon_key;  // the key of the item's address; empty when nothing was stored
  std::string image;     // the icon file's bytes, for the cell; empty when nothing was stored
};

// The request object and WinINet's plain download.
class NetFaviconDownloads final : public FaviconDownloads {
 public:
  std::string Request(const std::string& url) override;
  std::string PlainDownload(const std::string& url) override;
};

// The whole fetch on the calling thread. The icon file is written through a temporary file, and
// nothing is written when no picture came back; 图标 is set in the target's row only, through a
// connection of its own so that the window's connection is never shared between threads.
FaviconResult FetchFavicon(const FaviconTarget& target, const FaviconPlaces& places,
                           FaviconDownloads& downloads);

// The message a finished fetch posts to the window that started it; lParam owns a FaviconResult
// until TakeFaviconResult. It is posted also when nothing was stored.
UINT FaviconFetchedMessage() noexcept;
FaviconResult TakeFaviconResult(LPARAM lparam);

// One fetch at a time, each on a thread of its own that is not waited for: a download may take
// a minute, and closing the program does not wait for it.
class FaviconFetcher {
 public:
  // False, starting nothing, while a fetch runs (the window shows kFetchBusyText) or when no
  // thread can be started.
  [[nodiscard]] bool Start(const FaviconTarget& target, FaviconPlaces places, HWND notify);
  bool Busy() const noexcept { return worker_.Busy(); }

 private:
  core::SingleWorker worker_;
};

}  // namespace velora::acquire
