// SPDX-License-Identifier: MIT
// The host's status bar as the screens use it: a sentence that stays there (until the next one
// or ClearStatusMessage) without stopping the user, for what a screen wants known but not
// confirmed: where a file went, that a quote shows only part of itself. Without a host window
// (tests) the sentence is only kept; StatusMessage() returns the one showing.
#pragma once

#include <QString>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT void ShowStatusMessage(const QString& text);
MARGEM_HOST_EXPORT void ClearStatusMessage();
MARGEM_HOST_EXPORT QString StatusMessage();

// "Arquivo gravado em PATH." (the path as the system writes it).
MARGEM_HOST_EXPORT void ShowFileSaved(const QString& path);

}  // namespace margem
