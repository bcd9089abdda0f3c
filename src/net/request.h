#pragma once
// One HTTP request: a URL and optional settings in, the body bytes and the response's
// headers, status and cookies out. It never throws and never reports an error: a request
// that fails comes back with an empty body, and callers decide by the body's length.
#include <cstddef>
#include <optional>
#include <string>

#include "net/request_rules.h"

namespace velora::net {

class HttpSession;

inline constexpr int kCredentialServer = 0;
inline constexpr int kCredentialProxy = 1;
// A favicon is a few kilobytes; a larger body is cut off here so that no server can make the
// program hold an unbounded reply in memory.
inline constexpr std::size_t kMaxBodyBytes = 8u << 20;

struct RequestParams {
  std::string url;
  int method = kMethodGet;  // see MethodName; out-of-range numbers are GET
  std::string body_text;
  // Absent: no Cookie header at all. Present: sent (without any "Cookie:" prefix) and
  // merged with what the response sets.
  std::optional<std::string> request_cookies;
  std::string extra_headers;  // lines separated by "\r\n"
  bool no_redirect = false;
  std::string body_bytes;  // sent instead of body_text when not empty
  std::string proxy;       // "host:port"; empty: no explicit proxy
  int timeout_s = 0;       // see TimeoutMilliseconds
  std::string proxy_user;
  std::string proxy_password;
  int credential_target = kCredentialProxy;
  // Null: a session of its own for this call. A caller's session keeps its connections and
  // settings for the next call made with it.
  HttpSession* session = nullptr;
  bool merge_cookies = true;
  bool complete_headers = true;
  bool normalise_header_case = true;
};

struct Response {
  std::string body;
  std::string headers;  // the raw header block, status line excluded
  int status = 0;
  std::string response_cookies;
  // The caller's request cookies as sent, prefix removed; absent when none were passed.
  std::optional<std::string> request_cookies;
  bool body_cut_off = false;  // the body reached kMaxBodyBytes and reading stopped there
};

[[nodiscard]] Response Request(const RequestParams& params) noexcept;

}  // namespace velora::net
