// SPDX-License-Identifier: MIT
#include "server_version.h"

namespace margem::server {

const char* serverVersion() { return MARGEM_VERSION; }

const std::string& serverHeader() {
  static const std::string value = std::string("margem-server/") + serverVersion();
  return value;
}

}  // namespace margem::server
