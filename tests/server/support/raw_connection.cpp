// SPDX-License-Identifier: MIT
#include "support/raw_connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <regex>

namespace servertest {

RawConnection::RawConnection(int port, const char* fromAddress) {
  m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  ::inet_pton(AF_INET, fromAddress, &local.sin_addr);
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<std::uint16_t>(port));
  ::inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
  if (m_fd >= 0 && (::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
                    ::connect(m_fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0)) {
    ::close(m_fd);
    m_fd = -1;
  }
}

RawConnection::~RawConnection() {
  if (m_fd >= 0) ::close(m_fd);
}

bool RawConnection::send(std::string_view bytes) {
  while (!bytes.empty() && !m_closed) {
    const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) m_closed = true;
    if (sent > 0) bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return !m_closed;
}

std::string RawConnection::read(int milliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  std::string received;
  while (!m_closed) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd socket{m_fd, POLLIN, 0};
    if (left <= 0 || ::poll(&socket, 1, static_cast<int>(left)) <= 0) break;
    char buffer[16384];
    const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (got <= 0) m_closed = true;
    if (got > 0) received.append(buffer, static_cast<std::size_t>(got));
  }
  return received;
}

std::string replyStatuses(const std::string& bytes) {
  static const std::regex statusLine("HTTP/1\\.1 (\\d{3}) ");
  std::string statuses;
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), statusLine);
       it != std::sregex_iterator(); ++it) {
    statuses += (statuses.empty() ? "" : " ") + (*it)[1].str();
  }
  return statuses;
}

}  // namespace servertest
