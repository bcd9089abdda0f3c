// A web item's site icon: the favicon address worked out from any stored code, and the choice
// between two replies that a server fully controls.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "acquire/favicon.h"
#include "check.h"
#include "formats/image_type.h"

namespace acquire = velora::acquire;
namespace formats = velora::formats;

namespace {

class ServerReplies : public acquire::FaviconDownloads {
 public:
  ServerReplies(std::string first, std::string second)
      : first_(std::move(first)), second_(std::move(second)) {}
  std::string Request(const std::string&) override {
    ++requests_;
    return first_;
  }
  std::string PlainDownload(const std::string&) override {
    ++plain_downloads_;
    return second_;
  }

  std::string first_;
  std::string second_;
  int requests_ = 0;
  int plain_downloads_ = 0;
};

void CheckAddress(std::string_view code) {
  const acquire::FaviconAddress address = acquire::FaviconAddressOf(code);
  FUZZ_CHECK(address.favicon.starts_with("http://") && address.favicon.ends_with("/favicon.ico"));
  // The host is one segment: nothing in it reaches the path, query or fragment of the address.
  const std::string_view host = std::string_view(address.favicon).substr(7, address.favicon.size() - 19);
  FUZZ_CHECK(host.find_first_of("/?#") == std::string_view::npos);
  FUZZ_CHECK(acquire::FaviconUrlOf(address.site).starts_with("http://"));
}

void CheckReplies(std::string first, std::string second) {
  ServerReplies server(std::move(first), std::move(second));
  const std::string kept = acquire::DownloadFavicon("http://host/favicon.ico", server);
  FUZZ_CHECK(server.requests_ == 1);
  FUZZ_CHECK(server.plain_downloads_ == (server.first_.size() < acquire::kSmallReplyBytes ? 1 : 0));
  FUZZ_CHECK(kept.empty() || formats::IsImageBytes(kept));
  FUZZ_CHECK(kept.empty() || kept == server.first_ ||
             (server.plain_downloads_ == 1 && kept == server.second_));
  if (formats::IsImageBytes(server.first_) && server.plain_downloads_ == 0) FUZZ_CHECK(kept == server.first_);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string code = in.ConsumeRandomLengthString(128);
  CheckAddress(code);
  // A long first reply now and then, so both paths of the choice are taken.
  std::string first = in.ConsumeRandomLengthString(64);
  if (in.ConsumeBool()) first.resize(acquire::kSmallReplyBytes + first.size(), '\0');
  CheckReplies(std::move(first), in.ConsumeRemainingBytesAsString());
  return 0;
}
