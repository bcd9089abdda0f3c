#include "net/request_rules.h"

#include <array>
#include <climits>

namespace velora::net {
namespace {

constexpr std::array<std::string_view, 8> kMethodNames = {"GET",     "POST",   "HEAD",  "PUT",
                                                          "OPTIONS", "DELETE", "TRACE", "CONNECT"};

}  // namespace

int ClampMethod(int method) noexcept {
  return method >= 0 && method < static_cast<int>(kMethodNames.size()) ? method : kMethodGet;
}

std::string_view MethodName(int method) noexcept { return kMethodNames[ClampMethod(method)]; }

std::optional<int> TimeoutMilliseconds(int seconds) noexcept {
  if (seconds == kKeepClientTimeouts) return std::nullopt;
  if (seconds < 1) return kDefaultTimeoutMs;
  if (seconds > INT_MAX / 1000) return INT_MAX;
  return seconds * 1000;
}

}  // namespace velora::net
