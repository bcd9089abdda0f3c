#include "acquire/favicon.h"

#include <algorithm>

#include "formats/image_type.h"
#include "net/header_text.h"

namespace velora::acquire {
namespace {

constexpr std::string_view kWebPrefix = "网址";
// The fixed rewrite: the search host of the shopping site whose searches the template holds.
constexpr std::string_view kRewriteFrom = "http://s.taobao.com/";
constexpr std::string_view kRewriteTo = "http://www.taobao.com/";

std::string EraseFirst(std::string_view text, std::string_view needle, bool ignore_case) {
  const std::size_t at = ignore_case ? net::FindNoCase(text, needle) : text.find(needle);
  if (at == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, at));
  out.append(text.substr(at + needle.size()));
  return out;
}

}  // namespace

FaviconAddress FaviconAddressOf(std::string_view code) {
  FaviconAddress address;
  address.site = EraseFirst(code, kWebPrefix, false);
  address.favicon = RewriteFaviconUrl(FaviconUrlOf(address.site));
  return address;
}

std::string FaviconUrlOf(std::string_view site) {
  std::string host = EraseFirst(EraseFirst(site, "https://", true), "http://", true);
  // A query or fragment right after the host ends it as a path would.
  host.resize(std::min(host.find_first_of("/?#"), host.size()));
  return "http://" + host + "/favicon.ico";
}

std::string RewriteFaviconUrl(std::string_view favicon_url) {
  return net::ReplaceAllNoCase(favicon_url, kRewriteFrom, kRewriteTo);
}

std::string DownloadFavicon(const std::string& favicon_url, FaviconDownloads& downloads) {
  std::string first = downloads.Request(favicon_url);
  if (first.size() < kSmallReplyBytes) {
    std::string second = downloads.PlainDownload(favicon_url);
    if (formats::IsImageBytes(second)) return second;
  }
  return formats::IsImageBytes(first) ? first : std::string();
}

bool CellShowsTarget(const FaviconTarget& target, std::string_view shown_table,
                     std::optional<std::string_view> code_in_cell) noexcept {
  return shown_table == target.table && code_in_cell && *code_in_cell == target.code;
}

}  // namespace velora::acquire
