// SPDX-License-Identifier: MIT
#include "call_log.h"

#include <unistd.h>

namespace margem::server {

void logLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  // One write, so that lines of different threads never interleave.
  std::size_t written = 0;
  while (written < line.size()) {
    const ssize_t n = ::write(STDERR_FILENO, line.data() + written, line.size() - written);
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

void logCall(std::string_view name, int status, std::chrono::steady_clock::duration duration,
             std::uint64_t bytes, bool complete) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
  std::string line = "margem-server: chamada ";
  line += name;
  line += ' ' + std::to_string(status);
  if (!complete) line += " interrompida";
  line += ' ' + std::to_string(ms) + " ms " + std::to_string(bytes) + " bytes";
  logLine(line);
}

}  // namespace margem::server
