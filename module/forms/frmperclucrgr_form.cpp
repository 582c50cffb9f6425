// SPDX-License-Identifier: MIT
// The form description of "Percentual de Lucro por Grupo": caption, size and the chart's look.
#include "tfrmdadograf_charttools.h"
#include "tfrmperclucrgr.h"

TfrmPercLucrGr::TfrmPercLucrGr(QWidget* parent) : margem::TfrmPadrGraf(parent) {
  setObjectName(QStringLiteral("frmPercLucrGr"));
  Caption = QStringLiteral("Percentual de Lucro por Grupo");
  Position = QPoint(229, 160);
  resize(612, 488);
  QChart* chart = Chart();
  SetTitleLines({});
  chart->setBackgroundBrush(QColor(0xC0, 0xC0, 0xC0));
  chart->setPlotAreaBackgroundBrush(QColor(0xC0, 0xC0, 0xC0));
  chart->setPlotAreaBackgroundVisible(true);
  AddChartTools(*this, QStringLiteral("grupo"));
}
