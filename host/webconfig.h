// SPDX-License-Identifier: MIT
// Where the application server is. Each value comes from, in this order: the environment
// (MARGEM_SERVER_HOST, MARGEM_SERVER_PORT, MARGEM_SERVER_TOKEN), the INI file margem.ini beside
// the executable, the INI file $XDG_CONFIG_HOME/margem/margem.ini (~/.config when unset), both
// with section [Servidor] and keys WebURL, WebPort and Token, and finally the defaults 127.0.0.1,
// 8211 and no token. A port that is no number from 1 to 65535 is skipped like a missing one.
// The same order gives the limits of one server call: Timeout (MARGEM_SERVER_TIMEOUT), the
// seconds a whole call may take, 1 to 3600, default 60; MaxReplyMB (MARGEM_SERVER_MAX_REPLY_MB),
// the largest reply taken, in megabytes (MiB), 1 to 4096, default 256. Values outside their
// range are skipped like missing ones.
#pragma once

#include <QString>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT QString WebURL();
MARGEM_HOST_EXPORT int WebPort();
MARGEM_HOST_EXPORT QString WebToken();
MARGEM_HOST_EXPORT int CallTimeoutSeconds();
// $XDG_CONFIG_HOME/margem (~/.config/margem when unset): the user's folder of this system's files.
MARGEM_HOST_EXPORT QString UserConfigFolder();
MARGEM_HOST_EXPORT int MaxReplyMegabytes();

}  // namespace margem
