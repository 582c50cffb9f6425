// SPDX-License-Identifier: MIT
// Whether the Host header of a request names this machine's loopback: "localhost" or a name
// under it, an address of 127.0.0.0/8, or ::1, with or without a port. A server without a token
// that listens on loopback answers only such requests, so that a web page cannot reach it
// through a name of its own that resolves to 127.0.0.1 (DNS rebinding). An absent header passes:
// browsers always send one.
#pragma once

#include <string_view>

namespace margem::server {

bool isLoopbackHost(std::string_view host);

}  // namespace margem::server
