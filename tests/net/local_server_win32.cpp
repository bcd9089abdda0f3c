#include "net/local_server_win32.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace velora::testing {
namespace {

// Winsock stays started for the life of the test program.
bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

bool Readable(SOCKET s, std::chrono::milliseconds wait) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{static_cast<long>(wait.count() / 1000), static_cast<long>(wait.count() % 1000 * 1000)};
  return select(0, &set, nullptr, nullptr, &tv) == 1;
}

}  // namespace

std::unique_ptr<LocalServer> LocalServer::Start(Handler handler) {
  if (!StartWinsock()) return nullptr;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return nullptr;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int size = sizeof(address);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener, 8) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(listener);
    return nullptr;
  }
  return std::unique_ptr<LocalServer>(new LocalServer(listener, ntohs(address.sin_port), std::move(handler)));
}

LocalServer::LocalServer(SOCKET listener, std::uint16_t port, Handler handler)
    : listener_(listener), port_(port), handler_(std::move(handler)) {
  thread_ = std::thread([this] { Run(); });
}

LocalServer::~LocalServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_signal_.notify_all();
  thread_.join();
  closesocket(listener_);
}

bool LocalServer::Linger(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  return !stop_signal_.wait_for(lock, duration, [this] { return stopping_; });
}

void LocalServer::Run() {
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
    }
    // Polls so that the destructor can end the loop without closing a socket in use.
    if (!Readable(listener_, std::chrono::milliseconds(50))) continue;
    SOCKET connection = accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    handler_(connection, *this);
    closesocket(connection);
  }
}

bool SendAll(SOCKET connection, std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent =
        send(connection, bytes.data(), static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 16)), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

std::string ReadHttpRequest(SOCKET connection) {
  std::string request;
  char buffer[4096];
  std::size_t head_end = std::string::npos;
  std::size_t wanted = 0;
  for (;;) {
    if (head_end == std::string::npos) {
      head_end = request.find("\r\n\r\n");
      if (head_end != std::string::npos) {
        head_end += 4;
        std::string lower = request.substr(0, head_end);
        for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        const std::size_t at = lower.find("\r\ncontent-length:");
        wanted =
            head_end + (at == std::string::npos ? 0 : std::strtoul(lower.c_str() + at + 17, nullptr, 10));
      }
    }
    if (head_end != std::string::npos && request.size() >= wanted) return request;
    if (!Readable(connection, std::chrono::milliseconds(3000))) return request;
    const int got = recv(connection, buffer, sizeof(buffer), 0);
    if (got <= 0) return request;
    request.append(buffer, static_cast<std::size_t>(got));
  }
}

std::string ReadUntilClosed(SOCKET connection, std::chrono::milliseconds wait) {
  std::string bytes;
  char buffer[4096];
  while (Readable(connection, wait)) {
    const int got = recv(connection, buffer, sizeof(buffer), 0);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

}  // namespace velora::testing
