// SPDX-License-Identifier: MIT
// Runs the server until SIGINT or SIGTERM. Once listening it prints
// "margem-server listening on HOST:PORT" on standard output (with the port actually bound, so
// that port 0 picks a free one). On a signal, whenever it comes, it stops accepting, finishes the
// calls in flight and returns 0; it returns 1 when the address cannot be bound.
#pragma once

#include "command_line.h"

namespace margem::server {

int serve(const CommandLine& line);

}  // namespace margem::server
