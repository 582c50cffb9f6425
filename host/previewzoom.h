// SPDX-License-Identifier: MIT
// The print preview's zoom in Brazilian Portuguese. Qt's preview writes its zoom with a decimal
// point whatever the language ("38.8%"); this puts in its place a zoom box that shows and reads
// percentages with a decimal comma ("38,8%"), offers the same steps, and follows the zoom however
// it changes (buttons, fitting, typing).
#pragma once

#include "hostexport.h"

class QPrintPreviewDialog;

namespace margem {

MARGEM_HOST_EXPORT void UseBrazilianZoom(QPrintPreviewDialog& dialog);

}  // namespace margem
