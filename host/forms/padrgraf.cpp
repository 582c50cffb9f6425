// SPDX-License-Identifier: MIT
#include "forms/padrgraf.h"

#include <QVBoxLayout>

namespace margem {

TfrmPadrGraf::TfrmPadrGraf(QWidget* parent) : TForm(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  dchPadrao = new QChartView(new QChart, this);
  dchPadrao->setObjectName(QStringLiteral("dchPadrao"));
  dchPadrao->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(dchPadrao);
  resize(612, 488);
}

}  // namespace margem
