// SPDX-License-Identifier: MIT
// The server's log on standard error, in Portuguese: one line per call with its method, HTTP
// status, duration and the bytes of its reply, never its parameters or the token:
//   margem-server: chamada GetMargem 200 12 ms 3456 bytes
// with "interrompida" after the status when the reply was broken off.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace margem::server {

// Writes one line, whole even when threads log at once.
void logLine(std::string_view text);

void logCall(std::string_view name, int status, std::chrono::steady_clock::duration duration,
             std::uint64_t bytes, bool complete);

}  // namespace margem::server
