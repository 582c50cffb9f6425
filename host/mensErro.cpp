// SPDX-License-Identifier: MIT
#include "mensErro.h"

namespace margem {

void MensErro(const QString& text, bool abort) {
  ShowErrorMessage(text);
  if (abort) throw SilentAbort();
}

}  // namespace margem
