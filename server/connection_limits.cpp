// SPDX-License-Identifier: MIT
#include "connection_limits.h"

namespace margem::server {

ConnectionLimits::ConnectionLimits(int maxConnections, int maxPerAddress)
    : m_maxConnections(maxConnections), m_maxPerAddress(maxPerAddress) {}

ConnectionLimits::Admission::Admission(ConnectionLimits* limits, boost::asio::ip::address address)
    : m_limits(limits), m_address(address) {}

ConnectionLimits::Admission::~Admission() {
  if (m_limits) m_limits->release(m_address);
}

ConnectionLimits::Admission::Admission(Admission&& other) noexcept
    : m_limits(other.m_limits), m_address(other.m_address) {
  other.m_limits = nullptr;
}

ConnectionLimits::Admission ConnectionLimits::admit(const boost::asio::ip::address& address) {
  std::lock_guard lock(m_mutex);
  if (m_open >= m_maxConnections) return {};
  int& fromAddress = m_perAddress[address];
  if (fromAddress >= m_maxPerAddress) return {};
  ++fromAddress;
  ++m_open;
  return Admission(this, address);
}

void ConnectionLimits::release(const boost::asio::ip::address& address) {
  std::lock_guard lock(m_mutex);
  --m_open;
  const auto entry = m_perAddress.find(address);
  if (entry != m_perAddress.end() && --entry->second == 0) m_perAddress.erase(entry);
}

}  // namespace margem::server
