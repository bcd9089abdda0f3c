#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include "core/ui_dispatcher_win32.h"
#include "core/work_queue_win32.h"
#include "exec/address_lookup_win32.h"
#include "net/local_server_win32.h"
#include "support/message_pump_win32.h"

using namespace velora::exec;
using velora::testing::LocalServer;

namespace {

using std::chrono::milliseconds;

// A stand-in for the external-address service on 127.0.0.1: it writes `reply` to each
// client and records whether the client sent anything.
class ServiceTest : public ::testing::Test {
 protected:
  void Serve(std::string reply, milliseconds delay = milliseconds(0)) {
    server_ = LocalServer::Start([this, reply, delay](SOCKET connection, LocalServer& server) {
      if (delay.count() && !server.Linger(delay)) return;
      velora::testing::SendAll(connection, reply);
      shutdown(connection, SD_SEND);
      client_sent_ += velora::testing::ReadUntilClosed(connection, milliseconds(500)).size();
      ++connections_;
    });
    ASSERT_TRUE(server_);
  }
  ExternalAddressOptions Options() const {
    ExternalAddressOptions options;
    options.host = "127.0.0.1";
    options.port = server_->port();
    options.timeout = milliseconds(1000);
    return options;
  }

  std::unique_ptr<LocalServer> server_;
  std::atomic<std::size_t> client_sent_{0};
  std::atomic<int> connections_{0};
};

template <typename F>
milliseconds Timed(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
}

}  // namespace

TEST_F(ServiceTest, ReplyEndingInALineBreakIsKeptAsIsAndNothingIsSent) {
  Serve("203.0.113.7\r\n");
  EXPECT_EQ(ExternalAddress(Options()), "203.0.113.7\r\n");
  server_.reset();  // waits for the handler
  EXPECT_EQ(connections_, 1);
  EXPECT_EQ(client_sent_, 0u);
}

TEST_F(ServiceTest, OneReceiveOfAtMost512BytesUpToAZero) {
  Serve(std::string(600, '7'));
  EXPECT_EQ(ExternalAddress(Options()), std::string(512, '7'));
  server_.reset();
  Serve(std::string("198.51.100.1\0tail", 17));
  EXPECT_EQ(ExternalAddress(Options()), "198.51.100.1");
}

TEST_F(ServiceTest, ServerThatAcceptsAndClosesAtOnceGivesEmptyText) {
  Serve("");
  EXPECT_EQ(ExternalAddress(Options()), "");
}

TEST_F(ServiceTest, SilentServerRunsIntoTheTimeout) {
  Serve("too late", milliseconds(5000));
  std::string text = "unset";
  const milliseconds took = Timed([&] { text = ExternalAddress(Options()); });
  EXPECT_EQ(text, "");
  EXPECT_GE(took, milliseconds(900));
  EXPECT_LT(took, milliseconds(2500));
}

TEST(ExternalAddress, NobodyListeningGivesEmptyText) {
  auto server = LocalServer::Start([](SOCKET, LocalServer&) {});
  ASSERT_TRUE(server);
  ExternalAddressOptions options;
  options.host = "127.0.0.1";
  options.port = server->port();
  options.timeout = milliseconds(1000);
  server.reset();
  std::string text = "unset";
  // Refused at once under Wine; Windows retries a refused loopback connect until the time-out.
  EXPECT_LT(Timed([&] { text = ExternalAddress(options); }), milliseconds(1500));
  EXPECT_EQ(text, "");
}

TEST(InternalAddresses, TheResolverAnswersWithDottedQuads) {
  const std::vector<std::string> addresses = InternalAddresses();
  ASSERT_FALSE(addresses.empty());
  for (const std::string& a : addresses) {
    int parts[4];
    char tail = 0;
    EXPECT_EQ(sscanf(a.c_str(), "%d.%d.%d.%d%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail), 4) << a;
  }
}

TEST_F(ServiceTest, TheQueueHandsTheTextToTheUiThread) {
  Serve("192.0.2.44\n");
  const auto ui = velora::core::UiDispatcher::Create();
  ASSERT_TRUE(ui);
  std::optional<std::string> text;
  DWORD thread = 0;
  velora::core::WorkQueue lookups(ui->Poster(), {"address lookup"});
  const ExternalAddressOptions options = Options();
  ASSERT_TRUE(lookups.Post([options] { return ExternalAddress(options); },
                           [&](std::string found) {
                             text = std::move(found);
                             thread = GetCurrentThreadId();
                           },
                           [] { return std::string(); }));
  ASSERT_TRUE(velora::testing::PumpUntil([&] { return text.has_value(); }, 5000));
  EXPECT_EQ(text, "192.0.2.44\n");
  EXPECT_EQ(thread, GetCurrentThreadId());
}
