#include "net/request_plan.h"

#include <algorithm>

#include "net/cookies.h"

namespace velora::net {

RequestPlan PlanRequest(const RequestParams& params) {
  RequestPlan plan;
  plan.method = MethodName(params.method);
  plan.timeout_ms = TimeoutMilliseconds(params.timeout_s);

  std::string headers = params.extra_headers;
  if (params.complete_headers) headers = CompleteHeaders(headers, params.url, params.method);
  if (params.normalise_header_case) headers = NormaliseHeaderCase(headers);

  if (!params.proxy.empty() && !params.proxy_user.empty()) {
    plan.credentials = ProxyCredentials{params.proxy_user, params.proxy_password, params.credential_target};
    if (params.credential_target == kCredentialProxy) {
      plan.fields.push_back(
          {"Proxy-Authorization", ProxyAuthorization(params.proxy_user, params.proxy_password)});
    }
  }
  if (params.request_cookies) {
    plan.request_cookies = StripCookiePrefix(*params.request_cookies);
    plan.fields.push_back({"Cookie", *plan.request_cookies});
  }
  for (HeaderField& field : HeaderFields(headers)) plan.fields.push_back(std::move(field));
  // Setting a header to an empty value removes it, as the replace semantics of the client
  // have it; an empty cookie text therefore sends no Cookie header. A line break would end the
  // field's line and send the rest as headers of their own: such a field is not sent.
  const auto breaks_line = [](std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
  };
  std::erase_if(plan.fields, [&](const HeaderField& f) {
    return f.value.empty() || breaks_line(f.name) || breaks_line(f.value);
  });

  plan.body =
      params.body_bytes.empty() ? std::string_view(params.body_text) : std::string_view(params.body_bytes);
  return plan;
}

void FinishResponse(const RequestParams& params, const RequestPlan& plan, Response& response) {
  response.request_cookies = plan.request_cookies;
  response.response_cookies = ResponseCookies(response.headers);
  if (params.merge_cookies && plan.request_cookies) {
    response.response_cookies = MergeCookies(*plan.request_cookies, response.response_cookies);
  }
}

}  // namespace velora::net
