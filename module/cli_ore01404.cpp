// SPDX-License-Identifier: MIT
#include "cli_ore01404.h"

#include "tfrmcompperlucmed.h"

namespace Cli_ore01404 {

QPointer<TfrmCompPerLucMed> frmCompPerLucMed;

}  // namespace Cli_ore01404
