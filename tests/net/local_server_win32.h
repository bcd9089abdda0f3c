#pragma once
// A TCP server on 127.0.0.1 that a test starts for itself: one thread takes the connections
// one after another and hands each to the test's handler. Nothing here reaches beyond the
// loopback address.
#include <winsock2.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace velora::testing {

class LocalServer {
 public:
  // The handler gets each accepted connection; the server closes it when the handler returns.
  using Handler = std::function<void(SOCKET connection, LocalServer& server)>;

  [[nodiscard]] static std::unique_ptr<LocalServer> Start(Handler handler);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  std::uint16_t port() const { return port_; }
  // Waits up to `duration`, ending early when the server stops, so a slow reply never holds
  // up the end of a test. False when it ended early.
  bool Linger(std::chrono::milliseconds duration);

 private:
  LocalServer(SOCKET listener, std::uint16_t port, Handler handler);
  void Run();

  SOCKET listener_;
  std::uint16_t port_;
  Handler handler_;
  std::mutex mutex_;
  std::condition_variable stop_signal_;
  bool stopping_ = false;
  std::thread thread_;
};

// Sends every byte; false when the peer went away.
bool SendAll(SOCKET connection, std::string_view bytes);

// One HTTP request: the head up to the empty line and as many body bytes as Content-Length
// says. Empty when the peer closed first.
std::string ReadHttpRequest(SOCKET connection);

// Bytes the peer sends until it closes or `wait` passes without any.
std::string ReadUntilClosed(SOCKET connection, std::chrono::milliseconds wait);

}  // namespace velora::testing
