// SPDX-License-Identifier: MIT
// A plain TCP connection to the server on 127.0.0.1, for what no HTTP library sends: a head that
// trickles in, a body shorter than announced, bytes that follow a refusal.
#pragma once

#include <string>
#include <string_view>

namespace servertest {

class RawConnection {
 public:
  explicit RawConnection(int port, const char* fromAddress = "127.0.0.1");
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  bool connected() const { return m_fd >= 0; }
  // False once the server has closed the connection.
  bool send(std::string_view bytes);
  // What the server sends within `milliseconds` or until it closes the connection.
  std::string read(int milliseconds);
  bool closedByServer() const { return m_closed; }

 private:
  int m_fd = -1;
  bool m_closed = false;
};

// The status codes of the HTTP replies in `bytes`, in order.
std::string replyStatuses(const std::string& bytes);

}  // namespace servertest
