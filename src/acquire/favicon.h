#pragma once
// The rules of fetching a web item's site icon: where it is asked for, which reply is kept, and
// whether the grid cell that asked still shows the item when the reply arrives.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velora::acquire {

// Shown (as a failure) when a fetch is asked for while one runs.
inline constexpr std::string_view kFetchBusyText = "正在获取图标,请等待...";

// A first reply shorter than this is often a redirect page or a placeholder: it is asked for
// once more with the plain download.
inline constexpr std::size_t kSmallReplyBytes = 1000;

// The item a fetch was started for: its category table, its code and the grid cell it showed in
// (on the page shown then). A switch of category or page during the fetch changes none of them.
struct FaviconTarget {
  std::string table;
  std::string code;
  int cell = -1;

  bool operator==(const FaviconTarget&) const = default;
};

struct FaviconAddress {
  std::string site;     // the item's address: the code without "网址"; its icon key names the file
  std::string favicon;  // "http://" + host + "/favicon.ico", after the fixed rewrite
};

// A code that holds no address gives a meaningless favicon address, never a failure.
FaviconAddress FaviconAddressOf(std::string_view code);

// The favicon address of a site address: the scheme dropped ("https://", then "http://", case
// ignored), the host part up to the first "/", "?" or "#", asked over http.
std::string FaviconUrlOf(std::string_view site);

// The shopping site's search host keeps no icon of its own: its main host's is asked for.
std::string RewriteFaviconUrl(std::string_view favicon_url);

// The downloads a fetch makes: the request with its defaults, and the platform's plain download
// that bypasses every cache.
class FaviconDownloads {
 public:
  virtual ~FaviconDownloads() = default;
  virtual std::string Request(const std::string& url) = 0;
  virtual std::string PlainDownload(const std::string& url) = 0;
};

// The bytes to keep as the site's icon: the request's reply, or for a reply shorter than
// kSmallReplyBytes the plain download's (the first reply when the second is no picture). Empty
// when neither is a picture.
std::string DownloadFavicon(const std::string& favicon_url, FaviconDownloads& downloads);

// Whether a finished fetch may set the image of its cell: the grid still shows the fetch's
// category and the cell still holds the item (nullopt: the cell is empty now).
bool CellShowsTarget(const FaviconTarget& target, std::string_view shown_table,
                     std::optional<std::string_view> code_in_cell) noexcept;

}  // namespace velora::acquire
