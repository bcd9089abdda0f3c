#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "exec/address_lookup_win32.h"
#include "exec/lookup_post_win32.h"
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

namespace {

struct ResultWindow {
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == LookupResultMessage()) {
      auto* self = reinterpret_cast<ResultWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      self->tag = wparam;
      self->text = TakeLookupResult(lparam);
      self->thread = GetCurrentThreadId();
      self->arrived = true;
      return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }

  bool arrived = false;
  WPARAM tag = 0;
  std::string text;
  DWORD thread = 0;
};

}  // namespace

TEST_F(ServiceTest, WorkerHandsTheTextToTheWindowThread) {
  Serve("192.0.2.44\n");
  WNDCLASSW wc{};
  wc.lpfnWndProc = ResultWindow::Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VeloraLookupTestWindow";
  RegisterClassW(&wc);
  HWND hwnd =
      CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(hwnd);
  ResultWindow result;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&result));

  LookupWorker worker;
  const ExternalAddressOptions options = Options();
  ASSERT_TRUE(worker.Start([options] { return ExternalAddress(options); }, PostLookupResult(hwnd, 7)));
  ASSERT_TRUE(velora::testing::PumpUntil([&] { return result.arrived; }, 5000));
  EXPECT_EQ(result.text, "192.0.2.44\n");
  EXPECT_EQ(result.tag, 7u);
  EXPECT_EQ(result.thread, GetCurrentThreadId());
  DestroyWindow(hwnd);
}
