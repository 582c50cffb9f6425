// SPDX-License-Identifier: MIT
// Where the application server is. Each value comes from, in this order: the environment
// (MARGEM_SERVER_HOST, MARGEM_SERVER_PORT, MARGEM_SERVER_TOKEN), the INI file margem.ini beside
// the executable, the INI file $XDG_CONFIG_HOME/margem/margem.ini (~/.config when unset), both
// with section [Servidor] and keys WebURL, WebPort and Token, and finally the defaults 127.0.0.1,
// 8211 and no token. A port that is no number from 1 to 65535 is skipped like a missing one.
#pragma once

#include <QString>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT QString WebURL();
MARGEM_HOST_EXPORT int WebPort();
MARGEM_HOST_EXPORT QString WebToken();

}  // namespace margem
