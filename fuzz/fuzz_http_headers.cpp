// The request's header rules over any caller text (the extra headers, the URL, the proxy
// credentials): the defaults are added once, the case rewrite settles after one pass, and no
// field set on the request has an empty name or a line break the transport would split on.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "check.h"
#include "net/header_text.h"
#include "net/request_headers.h"
#include "net/request_plan.h"
#include "net/request_rules.h"

namespace net = velora::net;

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return out;
}

void CheckTextTools(std::string_view haystack, std::string_view needle, std::string_view replacement) {
  const std::size_t at = net::FindNoCase(haystack, needle);
  FUZZ_CHECK(at == Lower(haystack).find(Lower(needle)));
  const std::string replaced = net::ReplaceAllNoCase(haystack, needle, replacement);
  if (at == std::string_view::npos || needle.empty()) FUZZ_CHECK(replaced == haystack);
  FUZZ_CHECK(net::EraseAllNoCase(haystack, needle).size() <= haystack.size());
  const std::string_view trimmed = net::TrimBlanks(haystack);
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.front() != '\t' && trimmed.back() != ' ' &&
                                 trimmed.back() != '\t'));
}

void CheckHeaders(std::string_view extra, std::string_view url, int method) {
  const std::string complete = net::CompleteHeaders(extra, url, method);
  FUZZ_CHECK(complete.starts_with(extra));
  for (std::string_view name : {"Accept:", "Referer:", "Accept-Language:", "User-Agent:"}) {
    FUZZ_CHECK(net::FindNoCase(complete, name) != std::string_view::npos);
  }
  const std::string normal = net::NormaliseHeaderCase(complete);
  FUZZ_CHECK(net::NormaliseHeaderCase(normal) == normal);
  for (const net::HeaderField& field : net::HeaderFields(normal)) {
    FUZZ_CHECK(!field.name.empty());
    FUZZ_CHECK(net::TrimBlanks(field.name) == field.name && net::TrimBlanks(field.value) == field.value);
  }
}

void CheckPlan(FuzzedDataProvider& in) {
  net::RequestParams params;
  params.url = in.ConsumeRandomLengthString(32);
  params.method = in.ConsumeIntegral<int>();
  params.timeout_s = in.ConsumeIntegral<int>();
  params.proxy = in.ConsumeRandomLengthString(8);
  params.proxy_user = in.ConsumeRandomLengthString(8);
  params.proxy_password = in.ConsumeRandomLengthString(8);
  params.credential_target = in.ConsumeIntegralInRange(0, 1);
  if (in.ConsumeBool()) params.request_cookies = in.ConsumeRandomLengthString(32);
  params.complete_headers = in.ConsumeBool();
  params.normalise_header_case = in.ConsumeBool();
  params.extra_headers = in.ConsumeRemainingBytesAsString();
  const net::RequestPlan plan = net::PlanRequest(params);
  FUZZ_CHECK(plan.method == net::MethodName(net::ClampMethod(params.method)));
  FUZZ_CHECK(!plan.timeout_ms || *plan.timeout_ms >= 1000);
  for (const net::HeaderField& field : plan.fields) {
    FUZZ_CHECK(!field.name.empty() && !field.value.empty());
    FUZZ_CHECK((field.name + field.value).find_first_of("\r\n") == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string needle = in.ConsumeRandomLengthString(8);
  const std::string replacement = in.ConsumeRandomLengthString(8);
  const std::string url = in.ConsumeRandomLengthString(32);
  const int method = in.ConsumeIntegral<int>();
  const std::string extra = in.ConsumeRandomLengthString(512);
  CheckTextTools(extra, needle, replacement);
  CheckHeaders(extra, url, method);
  CheckPlan(in);
  return 0;
}
