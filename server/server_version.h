// SPDX-License-Identifier: MIT
// The server's version, the project's version at build time: printed by --version and sent in
// the `Server` header of every reply as "margem-server/<version>".
#pragma once

#include <string>

namespace margem::server {

const char* serverVersion();
// "margem-server/<version>", the value of the Server header.
const std::string& serverHeader();

}  // namespace margem::server
