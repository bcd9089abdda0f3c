#include "exec/address_lookup.h"

namespace velora::exec {

std::string ReplyText(std::string_view received) {
  return std::string(received.substr(0, received.find('\0')));
}

std::string DottedQuad(const Ipv4Address& address) {
  std::string text;
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (i) text += '.';
    text += std::to_string(address[i]);
  }
  return text;
}

std::vector<std::string> InternalAddresses(AddressResolver& resolver) {
  std::string name = resolver.HostName().value_or(std::string());
  if (name.size() >= kHostNameBytes) name.clear();
  std::vector<std::string> texts;
  for (const Ipv4Address& address : resolver.Resolve(name)) texts.push_back(DottedQuad(address));
  return texts;
}

}  // namespace velora::exec
