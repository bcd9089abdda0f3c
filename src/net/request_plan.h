#pragma once
// What a request sends, worked out from its parameters before any transport is touched, and
// the cookie texts worked out from its response afterwards.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/request.h"
#include "net/request_headers.h"

namespace velora::net {

struct ProxyCredentials {
  std::string user;
  std::string password;
  int target = kCredentialProxy;
};

struct RequestPlan {
  std::string_view method;
  std::optional<int> timeout_ms;
  // In the order they are set; a later field replaces an earlier one of the same name. None is
  // empty or holds a CR or LF.
  std::vector<HeaderField> fields;
  std::optional<std::string> request_cookies;
  std::optional<ProxyCredentials> credentials;
  std::string_view body;  // points into the parameters
};

RequestPlan PlanRequest(const RequestParams& params);

// Fills the response's cookie texts from its header block.
void FinishResponse(const RequestParams& params, const RequestPlan& plan, Response& response);

}  // namespace velora::net
