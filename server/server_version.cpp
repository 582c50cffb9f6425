// SPDX-License-Identifier: MIT
#include "server_version.h"

namespace margem::server {

const char* serverVersion() { return MARGEM_VERSION; }

}  // namespace margem::server
