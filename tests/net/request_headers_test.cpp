#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/request_headers.h"
#include "net/request_rules.h"

using namespace velora::net;
using ::testing::ElementsAre;

namespace {

constexpr char kUrl[] = "http://example.test/favicon.ico";

}  // namespace

TEST(CompleteHeaders, UrlAloneGetsTheFourDefaultsInOrder) {
  EXPECT_EQ(CompleteHeaders("", kUrl, kMethodGet),
            "\r\nAccept: */*"
            "\r\nReferer: http://example.test/favicon.ico"
            "\r\nAccept-Language: zh-cn"
            "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  // After the rewrite the leading empty line is gone.
  EXPECT_EQ(NormaliseHeaderCase(CompleteHeaders("", kUrl, kMethodGet)).substr(0, 13), "Accept: */*\r\n");
}

TEST(CompleteHeaders, PresenceTestIgnoresCaseAndPositionButNeedsTheColon) {
  const std::string headers = CompleteHeaders("accept: text/html\r\nX-Note: my-referer:x", kUrl, kMethodGet);
  EXPECT_EQ(headers.find("Accept: */*"), std::string::npos);
  EXPECT_EQ(headers.find("Referer: http"), std::string::npos);  // "referer:" occurs inside a value
  EXPECT_NE(headers.find("Accept-Language: zh-cn"), std::string::npos);
  // "Accept-Language" alone, without the colon right after "Accept", does not hide Accept.
  EXPECT_NE(CompleteHeaders("Accept-Language: en", kUrl, kMethodGet).find("\r\nAccept: */*"),
            std::string::npos);
}

TEST(CompleteHeaders, ContentTypeOnlyForPost) {
  EXPECT_EQ(CompleteHeaders("", kUrl, kMethodGet).find("Content-Type"), std::string::npos);
  EXPECT_TRUE(CompleteHeaders("", kUrl, kMethodPost)
                  .ends_with("\r\nContent-Type: application/x-www-form-urlencoded"));
  EXPECT_EQ(CompleteHeaders("CONTENT-TYPE: text/plain", kUrl, kMethodPost).find("x-www-form"),
            std::string::npos);
  EXPECT_EQ(CompleteHeaders("", kUrl, 9).find("Content-Type"), std::string::npos);  // 9 is GET
}

TEST(NormaliseHeaderCase, TitleCasesNamesOnlyAndDropsLinesWithoutColon) {
  EXPECT_EQ(NormaliseHeaderCase("content-type: text/html"), "Content-Type: text/html");
  EXPECT_EQ(NormaliseHeaderCase("x-requested-with: xmlHTTPrequest"), "X-Requested-With: xmlHTTPrequest");
  EXPECT_EQ(NormaliseHeaderCase("\r\nno colon here\r\naccept: a-b: c\r\n"), "Accept: a-b: c");
  EXPECT_EQ(NormaliseHeaderCase("X-ABC-dEF: v"), "X-ABC-DEF: v");  // other letters stay as they are
  EXPECT_EQ(NormaliseHeaderCase(""), "");
}

TEST(HeaderFields, SingleLineIsOneTrimmedField) {
  EXPECT_THAT(HeaderFields("  X-One :  a: b  "), ElementsAre(HeaderField{"X-One", "a: b"}));
  // Without a line break the keep-alive rule does not apply.
  EXPECT_THAT(HeaderFields("Connection: keep-alive"), ElementsAre(HeaderField{"Connection", "keep-alive"}));
  EXPECT_TRUE(HeaderFields("").empty());
  EXPECT_TRUE(HeaderFields(": value").empty());
}

TEST(HeaderFields, LinesSkipExactlyConnectionKeepAlive) {
  EXPECT_THAT(HeaderFields("A: 1\r\n\r\nConnection: keep-alive\r\nConnection: close\r\n"
                           "connection: keep-alive\r\nConnection: Keep-Alive\r\nno colon\r\nB:2"),
              ElementsAre(HeaderField{"A", "1"}, HeaderField{"Connection", "close"},
                          HeaderField{"connection", "keep-alive"}, HeaderField{"Connection", "Keep-Alive"},
                          HeaderField{"B", "2"}));
  // Blanks around the name and value are trimmed before the comparison.
  EXPECT_THAT(HeaderFields("A: 1\r\n Connection :  keep-alive "), ElementsAre(HeaderField{"A", "1"}));
}

TEST(ProxyAuthorization, IsBasicOverTheGbkBytes) {
  EXPECT_EQ(ProxyAuthorization("Aladdin", "open sesame"), "Basic QWxhZGRpbjpvcGVuIHNlc2FtZQ==");
  // "用户" in GBK is D3 C3 BB A7; its UTF-8 bytes would encode differently.
  EXPECT_EQ(ProxyAuthorization("用户", "p"), "Basic 08O7pzpw");
  EXPECT_EQ(ProxyAuthorization("", ""), "Basic Og==");
}

TEST(RequestRules, MethodTableAndClamp) {
  EXPECT_EQ(MethodName(0), "GET");
  EXPECT_EQ(MethodName(1), "POST");
  EXPECT_EQ(MethodName(2), "HEAD");
  EXPECT_EQ(MethodName(3), "PUT");
  EXPECT_EQ(MethodName(4), "OPTIONS");
  EXPECT_EQ(MethodName(5), "DELETE");
  EXPECT_EQ(MethodName(6), "TRACE");
  EXPECT_EQ(MethodName(7), "CONNECT");
  EXPECT_EQ(MethodName(8), "GET");
  EXPECT_EQ(MethodName(9), "GET");
  EXPECT_EQ(MethodName(-1), "GET");
}

TEST(RequestRules, TimeoutRule) {
  EXPECT_EQ(TimeoutMilliseconds(-1), std::nullopt);
  EXPECT_EQ(TimeoutMilliseconds(0), 15000);
  EXPECT_EQ(TimeoutMilliseconds(-7), 15000);
  EXPECT_EQ(TimeoutMilliseconds(1), 1000);
  EXPECT_EQ(TimeoutMilliseconds(5), 5000);
  EXPECT_EQ(TimeoutMilliseconds(3'000'000), 2147483647);  // saturates instead of overflowing
}
