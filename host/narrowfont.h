// SPDX-License-Identifier: MIT
// Texts whose places were drawn for narrower letters than the screen's: the font narrowed in
// steps of 5 % of its width, down to `lowest` %, until `fits` holds for it (or as narrow as
// allowed).
#pragma once

#include <QFont>
#include <functional>

#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT QFont NarrowedToFit(QFont font, int lowest,
                                       const std::function<bool(const QFont&)>& fits);

}  // namespace margem
