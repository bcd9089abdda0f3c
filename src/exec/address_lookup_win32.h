#pragma once
// The lookups over Winsock. Both block; the external one for at most its time-out plus the
// name resolution, so the program runs it on a work queue.
#include <string>
#include <vector>

#include "exec/address_lookup.h"

namespace velora::exec {

// The service's first reply, or empty text when resolving, connecting or receiving fails or
// the time-out passes. Nothing is sent to the service.
[[nodiscard]] std::string ExternalAddress(const ExternalAddressOptions& options = {}) noexcept;

// The computer's IPv4 addresses from the local resolver.
[[nodiscard]] std::vector<std::string> InternalAddresses() noexcept;

}  // namespace velora::exec
