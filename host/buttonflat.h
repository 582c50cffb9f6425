// SPDX-License-Identifier: MIT
// A flat tool button (the tool panels' buttons and the scenario buttons). Tag is a free number the
// handlers read (the scenario of a scenario button). SetHint sets the tooltip.
#pragma once

#include <QToolButton>

#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TButtonFlat : public QToolButton {
  Q_OBJECT
 public:
  explicit TButtonFlat(const QString& name = {}, QWidget* parent = nullptr);
  int Tag = 0;
  void SetHint(const QString& hint) { setToolTip(hint); }
};

}  // namespace margem
