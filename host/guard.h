// SPDX-License-Identifier: MIT
// The handler guard: every handler that Qt calls runs inside it, so that no exception ever
// unwinds through the event loop. SilentAbort is swallowed (its message is already on screen);
// any other exception is shown through the message seam with its text; the guard then returns.
#pragma once

#include <QWidget>
#include <functional>

#include "hostexport.h"

namespace margem {

// True when the handler ran to its end, false when it raised.
MARGEM_HOST_EXPORT bool Guarded(QWidget* context, const std::function<void()>& handler);

// The text shown for an exception that is not the silent abort (its what(), or a generic
// Portuguese sentence for an unknown exception).
MARGEM_HOST_EXPORT void ReportException(std::exception_ptr error);

}  // namespace margem
