#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/request_plan.h"

using namespace velora::net;
using ::testing::ElementsAre;

namespace {

std::vector<std::string> Names(const RequestPlan& plan) {
  std::vector<std::string> names;
  for (const HeaderField& f : plan.fields) names.push_back(f.name);
  return names;
}

RequestParams UrlOnly() {
  RequestParams p;
  p.url = "http://127.0.0.1/x";
  return p;
}

}  // namespace

TEST(PlanRequest, UrlAloneIsAGetWithTheFourDefaultsAndNoCookie) {
  const RequestPlan plan = PlanRequest(UrlOnly());
  EXPECT_EQ(plan.method, "GET");
  EXPECT_EQ(plan.timeout_ms, 15000);
  EXPECT_THAT(plan.fields,
              ElementsAre(HeaderField{"Accept", "*/*"}, HeaderField{"Referer", "http://127.0.0.1/x"},
                          HeaderField{"Accept-Language", "zh-cn"},
                          HeaderField{"User-Agent", std::string(kDefaultUserAgent)}));
  EXPECT_FALSE(plan.request_cookies);
  EXPECT_FALSE(plan.credentials);
  EXPECT_TRUE(plan.body.empty());
}

TEST(PlanRequest, LowerCaseAcceptReplacesTheDefaultAndIsSentAsAccept) {
  RequestParams p = UrlOnly();
  p.extra_headers = "accept: text/html";
  EXPECT_THAT(Names(PlanRequest(p)), ElementsAre("Accept", "Referer", "Accept-Language", "User-Agent"));
  EXPECT_EQ(PlanRequest(p).fields[0].value, "text/html");
  p.normalise_header_case = false;
  EXPECT_EQ(PlanRequest(p).fields[0].name, "accept");
}

TEST(PlanRequest, SwitchesForDefaultsAndTimeouts) {
  RequestParams p = UrlOnly();
  p.complete_headers = false;
  EXPECT_TRUE(PlanRequest(p).fields.empty());
  p.extra_headers = "X-Only: 1";
  EXPECT_THAT(Names(PlanRequest(p)), ElementsAre("X-Only"));
  p.timeout_s = -1;
  EXPECT_EQ(PlanRequest(p).timeout_ms, std::nullopt);
  p.timeout_s = 2;
  EXPECT_EQ(PlanRequest(p).timeout_ms, 2000);
  p.method = 12;
  EXPECT_EQ(PlanRequest(p).method, "GET");
}

TEST(PlanRequest, CookiesAreStrippedSetBeforeTheLinesAndWrittenBack) {
  RequestParams p = UrlOnly();
  p.request_cookies = "cookie: a=1; b=2";
  RequestPlan plan = PlanRequest(p);
  EXPECT_EQ(plan.request_cookies, " a=1; b=2");
  EXPECT_EQ(plan.fields.front(), (HeaderField{"Cookie", " a=1; b=2"}));

  Response response;
  response.headers = "Set-Cookie: a=9; path=/\r\nSet-Cookie: c=3\r\n";
  FinishResponse(p, plan, response);
  EXPECT_EQ(response.request_cookies, " a=1; b=2");
  EXPECT_EQ(response.response_cookies, "a=9; c=3; b=2");

  p.merge_cookies = false;
  FinishResponse(p, plan, response);
  EXPECT_EQ(response.response_cookies, "a=9; c=3");

  // An empty cookie text removes the header rather than sending an empty one.
  p.request_cookies = "Cookie:";
  plan = PlanRequest(p);
  EXPECT_EQ(plan.request_cookies, "");
  EXPECT_THAT(Names(plan), ElementsAre("Accept", "Referer", "Accept-Language", "User-Agent"));
}

TEST(PlanRequest, FieldsHoldingALineBreakAreNotSent) {
  RequestParams p = UrlOnly();
  p.complete_headers = false;
  p.extra_headers = "X-A: 1\nX-Injected: 2\r\nX-B: 3\r\nX-C\r: 4";
  p.request_cookies = "a=1\rX-Injected: 2";
  EXPECT_THAT(Names(PlanRequest(p)), ElementsAre("X-B"));
}

TEST(PlanRequest, WithoutRequestCookiesResponseCookiesAreNotMerged) {
  RequestParams p = UrlOnly();
  Response response;
  response.headers = "Set-Cookie: c=3; path=/\r\nSet-Cookie: d=deleted\r\n";
  FinishResponse(p, PlanRequest(p), response);
  EXPECT_EQ(response.response_cookies, "c=3; d=deleted");
  EXPECT_FALSE(response.request_cookies);
}

TEST(PlanRequest, ProxyCredentialsNeedProxyAndUser) {
  RequestParams p = UrlOnly();
  p.proxy_user = "u";
  p.proxy_password = "pw";
  EXPECT_FALSE(PlanRequest(p).credentials);
  p.proxy = "127.0.0.1:8080";
  RequestPlan plan = PlanRequest(p);
  ASSERT_TRUE(plan.credentials);
  EXPECT_EQ(plan.credentials->target, kCredentialProxy);
  EXPECT_EQ(plan.fields.front(), (HeaderField{"Proxy-Authorization", "Basic dTpwdw=="}));
  p.credential_target = kCredentialServer;
  plan = PlanRequest(p);
  ASSERT_TRUE(plan.credentials);
  EXPECT_EQ(plan.fields.front().name, "Accept");
}

TEST(PlanRequest, BodyBytesWinOverBodyText) {
  RequestParams p = UrlOnly();
  p.method = kMethodPost;
  p.body_text = "text";
  EXPECT_EQ(PlanRequest(p).body, "text");
  EXPECT_EQ(PlanRequest(p).fields.back(), (HeaderField{"Content-Type", "application/x-www-form-urlencoded"}));
  p.body_bytes = std::string("\0\1", 2);
  EXPECT_EQ(PlanRequest(p).body, std::string_view("\0\1", 2));
}
