// SPDX-License-Identifier: MIT
// Runs the server until SIGINT or SIGTERM. Once listening it prints
// "margem-server atendendo em HOST:PORT" on standard output (with the port actually bound, so
// that port 0 picks a free one). On a signal, whenever it comes, it stops accepting, closes the
// connections between requests, finishes the calls in flight and returns 0.
//
// It refuses to start, with a message and exit status 1, when the address is taken by another
// process ("O endereço 127.0.0.1:8211 já está em uso.") or cannot be bound; with status 2 when
// it would serve beyond loopback without a token, unless the command line says
// --insecure-no-token. Without a token on loopback it answers only requests for a loopback Host.
//
// A few I/O threads carry every connection (http_session.h); the database work of the calls runs
// on `threads` workers, each with at most one database connection.
#pragma once

#include "command_line.h"

namespace margem::server {

int serve(const CommandLine& line);

}  // namespace margem::server
