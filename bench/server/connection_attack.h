// SPDX-License-Identifier: MIT
// Connections held against the server as hostile clients hold them, until the object goes:
// `idle` connections that send nothing and `slow` ones that send a request head one byte a
// second. A connection the server closes is opened again, so that the numbers hold. Bounded: a
// fixed number of sockets from the loopback addresses given, one thread.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace benchserver {

class ConnectionAttack {
 public:
  ConnectionAttack(int port, int idle, int slow, std::vector<std::string> fromAddresses);
  ~ConnectionAttack();
  ConnectionAttack(const ConnectionAttack&) = delete;
  ConnectionAttack& operator=(const ConnectionAttack&) = delete;

  // Waits up to `seconds` for every connection to be open; returns how many are.
  int waitOpen(double seconds) const;

 private:
  struct Held {
    int fd = -1;
    bool slow = false;
    std::size_t sent = 0;  // bytes of the head sent so far
  };

  void run();
  void open(Held& held, std::size_t index);
  void drop(Held& held);

  const int m_port;
  const std::vector<std::string> m_from;
  std::vector<Held> m_held;
  std::atomic<int> m_open{0};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

}  // namespace benchserver
