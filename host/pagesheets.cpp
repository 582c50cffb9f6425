// SPDX-License-Identifier: MIT
#include "pagesheets.h"

namespace margem {

void SetTabVisible(QTabWidget* pages, QWidget* sheet, bool visible) {
  if (!pages || !sheet) return;
  const int index = pages->indexOf(sheet);
  if (index >= 0) pages->setTabVisible(index, visible);
}

bool TabVisible(QTabWidget* pages, QWidget* sheet) {
  if (!pages || !sheet) return false;
  const int index = pages->indexOf(sheet);
  return index >= 0 && pages->isTabVisible(index);
}

}  // namespace margem
