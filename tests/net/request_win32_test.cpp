#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "net/http_session_win32.h"
#include "net/local_server_win32.h"
#include "net/request.h"

using namespace velora::net;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using velora::testing::LocalServer;

namespace {

std::string Reply(std::string_view status, std::string_view headers, std::string_view body) {
  std::string reply = "HTTP/1.1 " + std::string(status) +
                      "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" +
                      std::string(headers) + "\r\n";
  reply += body;
  return reply;
}

struct Received {
  std::string request_line;
  std::vector<std::pair<std::string, std::string>> headers;  // as sent, value trimmed
  std::string body;

  std::vector<std::string> Names(bool without_transport = true) const {
    std::vector<std::string> names;
    for (const auto& [name, value] : headers) {
      // The client's own framing headers are not the request's header lines.
      if (without_transport && (name == "Host" || name == "Connection" || name == "Content-Length")) continue;
      names.push_back(name);
    }
    return names;
  }
  std::string Value(std::string_view name) const {
    for (const auto& [n, v] : headers) {
      if (n == name) return v;
    }
    return "(absent)";
  }
};

Received Parse(const std::string& raw) {
  Received r;
  const std::size_t head_end = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, head_end);
  r.body = head_end == std::string::npos ? "" : raw.substr(head_end + 4);
  std::size_t start = 0;
  for (bool first = true; start <= head.size(); first = false) {
    std::size_t end = head.find("\r\n", start);
    if (end == std::string::npos) end = head.size();
    const std::string line = head.substr(start, end - start);
    start = end + 2;
    if (first) {
      r.request_line = line;
      continue;
    }
    const std::size_t colon = line.find(':');
    std::string value = line.substr(colon + 1);
    value.erase(0, value.find_first_not_of(' '));
    r.headers.emplace_back(line.substr(0, colon), value);
  }
  return r;
}

// An HTTP server that records every request and answers by a route function.
class HttpServerTest : public ::testing::Test {
 protected:
  using Route = std::function<std::string(const Received&, LocalServer&)>;

  void Serve(Route route) {
    server_ = LocalServer::Start([this, route](SOCKET connection, LocalServer& server) {
      const std::string raw = velora::testing::ReadHttpRequest(connection);
      if (raw.empty()) return;
      const Received received = Parse(raw);
      {
        std::lock_guard lock(mutex_);
        received_.push_back(received);
      }
      velora::testing::SendAll(connection, route(received, server));
    });
    ASSERT_TRUE(server_);
  }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(server_->port()) + std::string(path);
  }
  std::vector<Received> Requests() {
    std::lock_guard lock(mutex_);
    return received_;
  }
  RequestParams Params(std::string_view path) const {
    RequestParams p;
    p.url = Url(path);
    p.timeout_s = 2;
    return p;
  }

  std::unique_ptr<LocalServer> server_;
  std::mutex mutex_;
  std::vector<Received> received_;
};

TEST_F(HttpServerTest, UrlAloneSendsAGetWithExactlyTheFourDefaultHeadersInOrder) {
  const std::string body("icon\0bytes", 10);
  Serve([&](const Received&, LocalServer&) { return Reply("200 OK", "X-Served: yes\r\n", body); });
  RequestParams p;
  p.url = Url("/favicon.ico?a=1");
  const Response response = Request(p);

  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.body, body);
  EXPECT_FALSE(response.body_cut_off);
  EXPECT_THAT(response.headers, HasSubstr("X-Served: yes\r\n"));
  EXPECT_THAT(response.headers, Not(HasSubstr("HTTP/1.1 200")));
  EXPECT_FALSE(response.request_cookies);
  ASSERT_EQ(Requests().size(), 1u);
  const Received r = Requests().at(0);
  EXPECT_EQ(r.request_line, "GET /favicon.ico?a=1 HTTP/1.1");
  EXPECT_THAT(r.Names(), ElementsAre("Accept", "Referer", "Accept-Language", "User-Agent"));
  EXPECT_EQ(r.Value("Accept"), "*/*");
  EXPECT_EQ(r.Value("Referer"), p.url);
  EXPECT_EQ(r.Value("Accept-Language"), "zh-cn");
  EXPECT_EQ(r.Value("User-Agent"), kDefaultUserAgent);
}

TEST_F(HttpServerTest, LowerCaseAcceptIsSentOnceUnderItsNormalName) {
  Serve([](const Received&, LocalServer&) { return Reply("200 OK", "", "ok"); });
  RequestParams p = Params("/");
  p.extra_headers = "accept: text/html\r\nx-requested-with: test";
  EXPECT_EQ(Request(p).body, "ok");
  const Received r = Requests().at(0);
  EXPECT_THAT(r.Names(),
              ElementsAre("Accept", "X-Requested-With", "Referer", "Accept-Language", "User-Agent"));
  EXPECT_EQ(r.Value("Accept"), "text/html");
}

TEST_F(HttpServerTest, ConnectionKeepAliveLineIsSkippedOtherConnectionValuesAreSet) {
  Serve([](const Received&, LocalServer&) { return Reply("200 OK", "", "ok"); });
  RequestParams p = Params("/");
  p.extra_headers = "Connection: keep-alive\r\nX-After: 1";
  EXPECT_EQ(Request(p).body, "ok");
  p.extra_headers = "Connection: close\r\nX-After: 2";
  EXPECT_EQ(Request(p).body, "ok");
  const std::vector<Received> r = Requests();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].Value("Connection"), "keep-alive");  // whatever the client sends by itself
  EXPECT_EQ(r[0].Value("X-After"), "1");
  EXPECT_EQ(r[1].Value("Connection"), "close");
}

TEST_F(HttpServerTest, RedirectIsFollowedUnlessSwitchedOff) {
  Serve([this](const Received& r, LocalServer&) {
    if (r.request_line.starts_with("GET /old "))
      return Reply("302 Found", "Location: " + Url("/new") + "\r\n", "moved");
    return Reply("200 OK", "", "new place");
  });
  const Response followed = Request(Params("/old"));
  EXPECT_EQ(followed.status, 200);
  EXPECT_EQ(followed.body, "new place");
  EXPECT_EQ(Requests().size(), 2u);

  RequestParams p = Params("/old");
  p.no_redirect = true;
  const Response stopped = Request(p);
  EXPECT_EQ(stopped.status, 302);
  EXPECT_EQ(stopped.body, "moved");
  EXPECT_THAT(stopped.headers, HasSubstr("Location: "));
  EXPECT_EQ(Requests().size(), 3u);
}

TEST_F(HttpServerTest, SlowServerRunsIntoTheTimeoutAndGivesAnEmptyBody) {
  Serve([](const Received&, LocalServer& server) {
    server.Linger(std::chrono::seconds(5));
    return Reply("200 OK", "", "too late");
  });
  RequestParams p = Params("/slow");
  p.timeout_s = 1;
  const auto start = std::chrono::steady_clock::now();
  const Response response = Request(p);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(response.body.empty());
  EXPECT_EQ(response.status, 0);
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
  EXPECT_LT(elapsed, std::chrono::milliseconds(3500));
}

TEST_F(HttpServerTest, CookiesAreSentWithoutPrefixWrittenBackAndMergedWithTheResponse) {
  Serve([](const Received&, LocalServer&) {
    return Reply("200 OK",
                 "Set-Cookie: a=new; Path=/\r\nSet-Cookie: c=3\r\nSet-Cookie: d=deleted; Path=/\r\n", "ok");
  });
  RequestParams p = Params("/");
  p.request_cookies = "Cookie: a=old; b=2; d=4";
  const Response response = Request(p);
  EXPECT_EQ(Requests().at(0).Value("Cookie"), "a=old; b=2; d=4");
  EXPECT_EQ(response.request_cookies, " a=old; b=2; d=4");
  EXPECT_EQ(response.response_cookies, "a=new; c=3; b=2");

  p.merge_cookies = false;
  EXPECT_EQ(Request(p).response_cookies, "a=new; c=3; d=deleted");
}

TEST_F(HttpServerTest, PostSendsBodyBytesOverBodyTextWithTheFormType) {
  Serve([](const Received& r, LocalServer&) { return Reply("201 Created", "", "got " + r.body); });
  RequestParams p = Params("/post");
  p.method = kMethodPost;
  p.body_text = "text=1";
  EXPECT_EQ(Request(p).body, "got text=1");
  p.body_bytes = std::string("\x01\0\xFF", 3);
  const Response response = Request(p);
  EXPECT_EQ(response.status, 201);
  EXPECT_EQ(response.body, std::string("got \x01\0\xFF", 7));
  const Received r = Requests().at(1);
  EXPECT_EQ(r.request_line, "POST /post HTTP/1.1");
  EXPECT_EQ(r.Value("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(HttpServerTest, BodyPastTheLimitIsCutOff) {
  const std::string big(kMaxBodyBytes + 4096, 'x');
  Serve([&](const Received&, LocalServer&) { return Reply("200 OK", "", big); });
  const Response response = Request(Params("/big"));
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.body.size(), kMaxBodyBytes);
  EXPECT_TRUE(response.body_cut_off);
}

TEST_F(HttpServerTest, ExplicitProxyGetsTheAbsoluteUrlAndBasicCredentials) {
  // The local server plays the proxy; the target host name is never resolved.
  Serve([](const Received&, LocalServer&) { return Reply("200 OK", "", "via proxy"); });
  RequestParams p;
  p.url = "http://velora.invalid/icon.ico";
  p.timeout_s = 2;
  p.proxy = "127.0.0.1:" + std::to_string(server_->port());
  p.proxy_user = "用户";
  p.proxy_password = "p";
  EXPECT_EQ(Request(p).body, "via proxy");
  const Received r = Requests().at(0);
  EXPECT_THAT(r.request_line, StartsWith("GET http://velora.invalid"));  // Wine adds ":80"
  EXPECT_THAT(r.request_line, EndsWith("/icon.ico HTTP/1.1"));
  EXPECT_EQ(r.Value("Proxy-Authorization"), "Basic 08O7pzpw");
}

TEST_F(HttpServerTest, PassedSessionCarriesItsProxyToTheNextCall) {
  Serve([](const Received&, LocalServer&) { return Reply("200 OK", "", "ok"); });
  std::unique_ptr<HttpSession> session = HttpSession::Create();
  ASSERT_TRUE(session);
  RequestParams p;
  p.url = "http://velora.invalid/one";
  p.timeout_s = 2;
  p.session = session.get();
  p.proxy = "127.0.0.1:" + std::to_string(server_->port());
  EXPECT_EQ(Request(p).body, "ok");
  p.url = "http://velora.invalid/two";
  p.proxy.clear();
  EXPECT_EQ(Request(p).body, "ok");
  ASSERT_EQ(Requests().size(), 2u);
  EXPECT_THAT(Requests()[1].request_line, StartsWith("GET http://velora.invalid"));
  EXPECT_THAT(Requests()[1].request_line, EndsWith("/two HTTP/1.1"));
}

TEST(Request, FailuresGiveAnEmptyBody) {
  // A port nobody listens on: bind one and close it again.
  auto server = LocalServer::Start([](SOCKET, LocalServer&) {});
  ASSERT_TRUE(server);
  const std::string url = "http://127.0.0.1:" + std::to_string(server->port()) + "/";
  server.reset();
  RequestParams p;
  p.url = url;
  p.timeout_s = 1;
  Response refused = Request(p);
  EXPECT_TRUE(refused.body.empty());
  EXPECT_EQ(refused.status, 0);

  // A server that accepts and closes at once.
  auto closer = LocalServer::Start([](SOCKET, LocalServer&) {});
  ASSERT_TRUE(closer);
  p.url = "http://127.0.0.1:" + std::to_string(closer->port()) + "/";
  Response closed = Request(p);
  EXPECT_TRUE(closed.body.empty());
  EXPECT_EQ(closed.status, 0);

  p.url = "not a url";
  EXPECT_TRUE(Request(p).body.empty());
  p.url = "ftp://127.0.0.1/file";
  EXPECT_TRUE(Request(p).body.empty());
}

}  // namespace
