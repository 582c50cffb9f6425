// SPDX-License-Identifier: MIT
// The screen cursor: crHourGlass shows the wait cursor over the whole application, crDefault
// restores the normal one. Setting the same cursor twice keeps one override, not two.
#pragma once

#include "hostexport.h"

namespace margem {

constexpr int crHourGlass = -11;
constexpr int crDefault = 0;

MARGEM_HOST_EXPORT void SetScreenCursor(int cursor);
MARGEM_HOST_EXPORT int ScreenCursor();

}  // namespace margem
