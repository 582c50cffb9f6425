// SPDX-License-Identifier: MIT
#include "cli_ore01403.h"

#include "tfrmperclucrgr.h"

namespace Cli_ore01403 {

QPointer<TfrmPercLucrGr> frmPercLucrGr;

}  // namespace Cli_ore01403
