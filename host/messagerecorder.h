// SPDX-License-Identifier: MIT
// The one seam through which the host shows a message to the user. By default a modal message
// box (titled after the active window, or "Atenção"); a test installs a recorder instead and then
// reads what the user would have seen. With a recorder set no box is shown.
#pragma once

#include <QString>
#include <functional>

#include "hostexport.h"

namespace margem {

// nullptr restores the message box.
MARGEM_HOST_EXPORT void SetMessageRecorder(std::function<void(const QString&)> recorder);

// Shows an error message (or hands it to the recorder) and returns once the user closed it.
MARGEM_HOST_EXPORT void ShowErrorMessage(const QString& text);

}  // namespace margem
