#pragma once
// The two address lookups behind the built-in functions that show the computer's addresses:
// the external one asks a public service, the internal one the local resolver.
//
// Configuration: the external service is any host that, as soon as a client connects to its
// TCP port 6666, writes the client's public IPv4 address as text and closes. The default is
// kDefaultExternalAddressHost, a DNS provider's name server that answers this way; the
// settings may name another host (ExternalAddressOptions::host).
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::exec {

inline constexpr std::string_view kDefaultExternalAddressHost = "ns1.dnspod.net";
inline constexpr std::uint16_t kExternalAddressPort = 6666;
// Connect and receive together; the service answers at once or not at all.
inline constexpr std::chrono::milliseconds kExternalAddressTimeout{5000};
// The reply is read with one receive of at most this many bytes.
inline constexpr std::size_t kExternalReplyBytes = 512;
// The local host name is read into this many bytes, terminator included.
inline constexpr std::size_t kHostNameBytes = 16;

struct ExternalAddressOptions {
  std::string host{kDefaultExternalAddressHost};
  std::uint16_t port = kExternalAddressPort;
  std::chrono::milliseconds timeout = kExternalAddressTimeout;
};

// The service's reply as text: the received bytes up to the first zero byte, nothing trimmed.
std::string ReplyText(std::string_view received);

using Ipv4Address = std::array<std::uint8_t, 4>;

// "192.168.1.5".
std::string DottedQuad(const Ipv4Address& address);

// The local resolver, behind a port so that the rules can be tested without a network.
class AddressResolver {
 public:
  virtual ~AddressResolver() = default;
  // The computer's host name; empty when the call fails.
  virtual std::optional<std::string> HostName() = 0;
  // The IPv4 addresses of `name` in the resolver's order; empty when it knows none.
  virtual std::vector<Ipv4Address> Resolve(const std::string& name) = 0;
};

// A host name that does not fit kHostNameBytes is left empty, and the resolver is asked for
// the empty name, which it answers with the local host's addresses.
std::vector<std::string> InternalAddresses(AddressResolver& resolver);

}  // namespace velora::exec
