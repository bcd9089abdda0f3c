// Cookies from a server's header block (outside data in the plainest sense) and their merge with
// the caller's: no empty entries, no line break to end the Cookie header of the next request, no duplicates,
// no deleted entries, and a merged text merged with itself stays as it is.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <set>
#include <string>

#include "check.h"
#include "net/cookies.h"
#include "text/split.h"

namespace net = velora::net;

namespace {

void CheckEntries(std::string_view cookies) {
  if (cookies.empty()) return;
  FUZZ_CHECK(!cookies.starts_with("; ") && !cookies.ends_with("; "));
  for (std::string_view entry : velora::text::Split(cookies, "; ")) {
    FUZZ_CHECK(!entry.empty());
  }
}

void CheckMerged(std::string_view merged) {
  CheckEntries(merged);
  std::set<std::string_view> seen;
  for (std::string_view entry : velora::text::Split(merged, "; ")) {
    FUZZ_CHECK(!entry.ends_with("=deleted"));
    FUZZ_CHECK(seen.insert(entry).second);
  }
  FUZZ_CHECK(net::MergeCookies(merged, merged) == merged);
  FUZZ_CHECK(net::MergeCookies(merged, "") == merged);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string caller = in.ConsumeRandomLengthString(64);
  const std::string header_block = in.ConsumeRemainingBytesAsString();

  const std::string received = net::ResponseCookies(header_block);
  FUZZ_CHECK(received.find_first_of("\r\n") == std::string::npos);
  CheckEntries(received);

  const std::string sent = net::StripCookiePrefix(caller);
  CheckMerged(net::MergeCookies(sent, received));
  CheckMerged(net::MergeCookies(caller, header_block));
  return 0;
}
