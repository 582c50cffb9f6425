// SPDX-License-Identifier: MIT
#include "loopback_host.h"

#include <boost/asio/ip/address.hpp>
#include <string>

namespace margem::server {

bool isLoopbackHost(std::string_view host) {
  if (host.empty()) return true;
  std::string name;
  if (host.front() == '[') {
    const auto end = host.find(']');
    if (end == std::string_view::npos) return false;
    name = host.substr(1, end - 1);
  } else {
    name = host.substr(0, host.find(':'));
  }
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name.ends_with('.')) name.pop_back();  // "localhost." is the same name
  if (name == "localhost" || name.ends_with(".localhost")) return true;
  boost::system::error_code invalid;
  const auto address = boost::asio::ip::make_address(name, invalid);
  if (invalid) return false;
  if (address.is_v6() && address.to_v6().is_v4_mapped()) {
    return boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, address.to_v6())
        .is_loopback();
  }
  return address.is_loopback();
}

}  // namespace margem::server
