#pragma once
// The platform's plain URL download, taken fresh from the server every time. A request of its
// own kind: some servers answer it differently than the request object (a short redirect page to
// one, the file to the other).
#include <string>

namespace velora::net {

// The body of a GET of `url`, neither read from nor written to the cache, at most kMaxBodyBytes
// (a longer one comes back empty). Each phase waits up to the request's default time-out. Empty
// on any failure.
[[nodiscard]] std::string PlainDownload(const std::string& url) noexcept;

}  // namespace velora::net
