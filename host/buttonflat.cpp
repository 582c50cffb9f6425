// SPDX-License-Identifier: MIT
#include "buttonflat.h"

namespace margem {

TButtonFlat::TButtonFlat(const QString& name, QWidget* parent) : QToolButton(parent) {
  setObjectName(name);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  setFocusPolicy(Qt::TabFocus);
}

}  // namespace margem
