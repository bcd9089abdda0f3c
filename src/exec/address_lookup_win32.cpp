#include "exec/address_lookup_win32.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>

namespace velora::exec {
namespace {

class WinsockSession {
 public:
  WinsockSession() noexcept {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool started() const noexcept { return started_; }

 private:
  bool started_ = false;
};

class Socket {
 public:
  explicit Socket(SOCKET s) noexcept : s_(s) {}
  ~Socket() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const noexcept { return s_; }
  bool valid() const noexcept { return s_ != INVALID_SOCKET; }

 private:
  SOCKET s_;
};

struct AddrInfoFree {
  void operator()(addrinfo* info) const noexcept { freeaddrinfo(info); }
};

using Clock = std::chrono::steady_clock;

timeval Remaining(Clock::time_point deadline) noexcept {
  const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
  const long long us = left.count() > 0 ? left.count() : 0;
  return timeval{static_cast<long>(us / 1000000), static_cast<long>(us % 1000000)};
}

// Connects without blocking past the deadline.
bool ConnectBefore(SOCKET s, const sockaddr* address, int size, Clock::time_point deadline) noexcept {
  u_long non_blocking = 1;
  if (ioctlsocket(s, FIONBIO, &non_blocking) != 0) return false;
  if (connect(s, address, size) == 0) return true;
  if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
  fd_set writable;
  fd_set failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(s, &writable);
  FD_SET(s, &failed);
  timeval wait = Remaining(deadline);
  if (select(0, nullptr, &writable, &failed, &wait) != 1 || !FD_ISSET(s, &writable)) return false;
  int error = 0;
  int length = sizeof(error);
  return getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 && error == 0;
}

// One receive, once the first bytes are there or the peer has closed.
std::string ReceiveOnceBefore(SOCKET s, Clock::time_point deadline) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(s, &readable);
  timeval wait = Remaining(deadline);
  if (select(0, &readable, nullptr, nullptr, &wait) != 1) return {};
  char buffer[kExternalReplyBytes] = {};
  const int got = recv(s, buffer, sizeof(buffer), 0);
  if (got <= 0) return {};
  return ReplyText(std::string_view(buffer, static_cast<std::size_t>(got)));
}

class WinsockResolver final : public AddressResolver {
 public:
  std::optional<std::string> HostName() override {
    // Read in full here; the length rule is the portable code's.
    char name[256] = {};
    if (!winsock_.started() || gethostname(name, sizeof(name)) != 0) return std::nullopt;
    return std::string(name);
  }
  std::vector<Ipv4Address> Resolve(const std::string& name) override {
    std::vector<Ipv4Address> addresses;
    if (!winsock_.started()) return addresses;
    // gethostbyname keeps the resolver's order, and its result is per thread.
    const hostent* host = gethostbyname(name.c_str());
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4) return addresses;
    for (char** entry = host->h_addr_list; *entry; ++entry) {
      Ipv4Address address;
      for (std::size_t i = 0; i < address.size(); ++i) address[i] = static_cast<std::uint8_t>((*entry)[i]);
      addresses.push_back(address);
    }
    return addresses;
  }

 private:
  WinsockSession winsock_;
};

}  // namespace

std::string ExternalAddress(const ExternalAddressOptions& options) noexcept {
  try {
    WinsockSession winsock;
    if (!winsock.started()) return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(options.port);
    if (getaddrinfo(options.host.c_str(), port.c_str(), &hints, &found) != 0 || !found) return {};
    const std::unique_ptr<addrinfo, AddrInfoFree> resolved(found);

    const Clock::time_point deadline = Clock::now() + options.timeout;
    Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s.valid()) return {};
    if (!ConnectBefore(s.get(), resolved->ai_addr, static_cast<int>(resolved->ai_addrlen), deadline))
      return {};
    return ReceiveOnceBefore(s.get(), deadline);
  } catch (...) {
    return {};
  }
}

std::vector<std::string> InternalAddresses() noexcept {
  try {
    WinsockResolver resolver;
    return InternalAddresses(resolver);
  } catch (...) {
    return {};
  }
}

}  // namespace velora::exec
