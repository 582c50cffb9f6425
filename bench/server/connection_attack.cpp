// SPDX-License-Identifier: MIT
#include "connection_attack.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace benchserver {
namespace {

using Clock = std::chrono::steady_clock;

const std::string kSlowHead =
    "POST /rpc/ORE01400.rdmMargem HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
    "X-Espera: ";

}  // namespace

ConnectionAttack::ConnectionAttack(int port, int idle, int slow,
                                   std::vector<std::string> fromAddresses)
    : m_port(port), m_from(std::move(fromAddresses)), m_held(idle + slow) {
  for (int i = 0; i < slow; ++i) m_held[idle + i].slow = true;
  m_thread = std::thread([this] { run(); });
}

ConnectionAttack::~ConnectionAttack() {
  m_stop = true;
  m_thread.join();
  for (Held& held : m_held) drop(held);
}

int ConnectionAttack::waitOpen(double seconds) const {
  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(seconds));
  while (m_open < static_cast<int>(m_held.size()) && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return m_open;
}

void ConnectionAttack::open(Held& held, std::size_t index) {
  held.fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (held.fd < 0) return;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  ::inet_pton(AF_INET, m_from[index % m_from.size()].c_str(), &local.sin_addr);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<std::uint16_t>(m_port));
  ::inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
  if (::bind(held.fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      ::connect(held.fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0) {
    ::close(held.fd);
    held.fd = -1;
    return;
  }
  held.sent = 0;
  ++m_open;
}

void ConnectionAttack::drop(Held& held) {
  if (held.fd < 0) return;
  ::close(held.fd);
  held.fd = -1;
  --m_open;
}

void ConnectionAttack::run() {
  auto nextByte = Clock::now();
  std::vector<pollfd> watched;
  while (!m_stop) {
    for (std::size_t i = 0; i < m_held.size() && !m_stop; ++i) {
      if (m_held[i].fd < 0) open(m_held[i], i);
    }
    if (Clock::now() >= nextByte) {
      nextByte += std::chrono::seconds(1);
      for (Held& held : m_held) {
        if (!held.slow || held.fd < 0) continue;
        const char byte = held.sent < kSlowHead.size() ? kSlowHead[held.sent] : 'x';
        if (::send(held.fd, &byte, 1, MSG_NOSIGNAL) == 1) ++held.sent;
      }
    }
    // A connection that becomes readable was answered or closed by the server: open it again.
    watched.clear();
    for (const Held& held : m_held) watched.push_back({held.fd, POLLIN, 0});
    if (::poll(watched.data(), watched.size(), 100) <= 0) continue;
    for (std::size_t i = 0; i < watched.size(); ++i) {
      if (watched[i].fd >= 0 && watched[i].revents != 0) drop(m_held[i]);
    }
  }
}

}  // namespace benchserver
