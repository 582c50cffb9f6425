// SPDX-License-Identifier: MIT
#include "narrowfont.h"

namespace margem {

QFont NarrowedToFit(QFont font, int lowest, const std::function<bool(const QFont&)>& fits) {
  for (int stretch = 100; stretch > lowest && !fits(font); stretch -= 5)
    font.setStretch(stretch - 5);
  return font;
}

}  // namespace margem
