#pragma once
// The request's method table and time-out rule.
#include <optional>
#include <string_view>

namespace velora::net {

inline constexpr int kMethodGet = 0;
inline constexpr int kMethodPost = 1;
inline constexpr int kDefaultTimeoutMs = 15000;
// Leaves the client's own time-outs untouched.
inline constexpr int kKeepClientTimeouts = -1;

// Numbers outside the table are taken as GET.
int ClampMethod(int method) noexcept;
// "GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT".
std::string_view MethodName(int method) noexcept;

// Milliseconds for every phase of the request (resolve, connect, send, receive); empty for
// kKeepClientTimeouts. Below 1 second means the default; large values saturate rather than
// overflow.
std::optional<int> TimeoutMilliseconds(int seconds) noexcept;

}  // namespace velora::net
