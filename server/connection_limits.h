// SPDX-License-Identifier: MIT
// How many client connections may be open at once, in all and from one address. An admission
// holds one place until it is destroyed; thread-safe.
#pragma once

#include <boost/asio/ip/address.hpp>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace margem::server {

class ConnectionLimits {
 public:
  ConnectionLimits(int maxConnections, int maxPerAddress);

  class Admission {
   public:
    Admission() = default;
    Admission(ConnectionLimits* limits, boost::asio::ip::address address);
    ~Admission();
    Admission(Admission&& other) noexcept;
    Admission& operator=(Admission&&) = delete;
    Admission(const Admission&) = delete;
    Admission& operator=(const Admission&) = delete;
    explicit operator bool() const { return m_limits != nullptr; }

   private:
    ConnectionLimits* m_limits = nullptr;
    boost::asio::ip::address m_address;
  };

  // An empty admission when either limit is reached.
  Admission admit(const boost::asio::ip::address& address);

 private:
  void release(const boost::asio::ip::address& address);

  const int m_maxConnections;
  const int m_maxPerAddress;
  std::mutex m_mutex;
  int m_open = 0;
  std::unordered_map<boost::asio::ip::address, int> m_perAddress;
};

}  // namespace margem::server
