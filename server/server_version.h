// SPDX-License-Identifier: MIT
// The server's version, the project's version at build time: printed by --version and sent in
// the `Server` header of every reply as "margem-server/<version>".
#pragma once

namespace margem::server {

const char* serverVersion();

}  // namespace margem::server
