// SPDX-License-Identifier: MIT
// Page-control sheets: a sheet is a QWidget page of a QTabWidget; its tab can be hidden without
// removing it.
#pragma once

#include <QTabWidget>

#include "hostexport.h"

namespace margem {

// Shows or hides the tab of sheet; nothing when the sheet is not a page of pages.
MARGEM_HOST_EXPORT void SetTabVisible(QTabWidget* pages, QWidget* sheet, bool visible);
MARGEM_HOST_EXPORT bool TabVisible(QTabWidget* pages, QWidget* sheet);

}  // namespace margem
