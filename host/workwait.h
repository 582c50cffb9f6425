// SPDX-License-Identifier: MIT
// Waiting for slow work without freezing the screens. WaitForWork runs `work` on a worker thread
// while the calling (user-interface) thread waits in a local event loop that takes no user input:
// windows repaint and resize, timers fire (the busy animation turns), but no key, mouse click,
// wheel, shortcut or window close reaches any screen, so no handler of the screens runs in
// between; what the user did meanwhile is dropped when the wait ends, not acted on then. After a
// short while the wait shows the wait cursor.
//
// Returns true when the work ended within timeoutMs, false when the time ran out first. The work
// is then left running on its own (it may not be stopped from outside): everything it touches must
// be held by the work itself (shared pointers), and the caller should make it end soon (close its
// socket). Called from any other thread than the application's, or without an application, the
// work runs inline and the result is true.
#pragma once

#include <functional>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT bool WaitForWork(std::function<void()> work, int timeoutMs);

}  // namespace margem
