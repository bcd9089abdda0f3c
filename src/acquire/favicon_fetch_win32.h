#pragma once
// Fetching a web item's site icon on a worker thread: the download, the icon file, the row's
// 图标, and the result handed back to the UI thread.
#include <filesystem>
#include <functional>
#include <string>

#include "acquire/favicon.h"
#include "core/work_queue_win32.h"

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

// One fetch at a time, on a worker that is not waited for: a download may take a minute, and
// closing the program does not wait for it.
class FaviconFetcher {
 public:
  // `ui` brings each result back to the UI thread.
  explicit FaviconFetcher(core::UiPoster ui) : worker_(std::move(ui), {"favicon fetch"}) {}

  // `done` gets the result on the UI thread, also when nothing was stored. False, starting
  // nothing, while a fetch runs (the window shows kFetchBusyText) or when no worker can be started.
  [[nodiscard]] bool Start(const FaviconTarget& target, FaviconPlaces places,
                           std::function<void(FaviconResult)> done);
  bool Busy() const { return worker_.Busy(); }

 private:
  core::WorkQueue worker_;
};

}  // namespace velora::acquire
