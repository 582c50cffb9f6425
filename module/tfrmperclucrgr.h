// SPDX-License-Identifier: MIT
// "Percentual de Lucro por Grupo": one green bar per subgroup row of the quote shown in
// "Margem Final", as the chart-data screen computed them (its cdsPercLucrGrup, in row order),
// labelled by the subgroup (NMSUBGRPROD) and as high as the profit percentage (VRPELUCRO).
// Without a chart-data screen the chart stays empty.
#pragma once

#include "forms/padrgraf.h"

class TfrmPercLucrGr : public margem::TfrmPadrGraf {
  Q_OBJECT
 public:
  explicit TfrmPercLucrGr(QWidget* parent = nullptr);

  void FormCreate() override;  // draws the bars
  // The chart as a PNG file; false when the file cannot be written.
  bool SaveImage(const QString& path) const;
};
