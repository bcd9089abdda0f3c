#include "acquire/favicon_fetch_win32.h"

#include "acquire/icon_key.h"
#include "exec/suffix_icon.h"
#include "net/plain_download_win32.h"
#include "net/request.h"
#include "settings/atomic_file.h"
#include "store/database.h"
#include "store/items.h"
#include "text/fs_path.h"

namespace velora::acquire {
namespace {

// The window's connection may hold the store briefly (an add inside its savepoint).
constexpr int kStoreBusyWaitMs = 5000;

}  // namespace

std::string NetFaviconDownloads::Request(const std::string& url) {
  net::RequestParams params;
  params.url = url;
  return net::Request(params).body;
}

std::string NetFaviconDownloads::PlainDownload(const std::string& url) { return net::PlainDownload(url); }

FaviconResult FetchFavicon(const FaviconTarget& target, const FaviconPlaces& places,
                           FaviconDownloads& downloads) {
  FaviconResult result{target, {}, {}};
  const FaviconAddress address = FaviconAddressOf(target.code);
  std::string image = DownloadFavicon(address.favicon, downloads);
  if (image.empty()) return result;
  const std::string key = IconKey(address.site);
  const auto file = exec::IconFilePath(places.data_dir, key);
  if (!file || !settings::WriteFileAtomically(*file, image)) return result;

  store::Database db;
  if (db.Open(text::PathToUtf8(places.database))) {
    db.SetBusyWait(kStoreBusyWaitMs);
    // Unchecked, as every icon update: the file is in place whatever the row says.
    (void)store::SetIcon(db, target.table, target.code, key);
  }
  result.icon_key = key;
  result.image = std::move(image);
  return result;
}

bool FaviconFetcher::Start(const FaviconTarget& target, FaviconPlaces places,
                           std::function<void(FaviconResult)> done) {
  if (worker_.Busy()) return false;
  return worker_.Post(
      [target, places = std::move(places)] {
        NetFaviconDownloads downloads;
        return FetchFavicon(target, places, downloads);
      },
      std::move(done),
      [target] {
        return FaviconResult{target, {}, {}};
      });
}

}  // namespace velora::acquire
