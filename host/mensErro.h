// SPDX-License-Identifier: MIT
// MensErro: shows an error message, then abandons the current operation with the silent abort.
#pragma once

#include <QString>

#include "hostexport.h"
#include "messagerecorder.h"
#include "silentabort.h"

namespace margem {

// Shows text through the message seam (messagerecorder.h), then throws SilentAbort. With
// abort false it only shows the message and returns.
MARGEM_HOST_EXPORT void MensErro(const QString& text, bool abort = true);

}  // namespace margem
