// SPDX-License-Identifier: MIT
// "Comparativo do Percentual de Lucro X Média do Período": one green bar per option of the quote
// shown in "Margem Final" with its mean profit percentage, and the bar "Média" with the mean of
// the branch's quotes of the period, as the chart-data screen computed them (its cdsAuxMediaOrca,
// in row order: NMORCAMENTO labels, VRLUCOPC heights). The title states the period:
// "Período:  01/03/2005 à 31/03/2005". Without a chart-data screen the chart stays empty.
#pragma once

#include "forms/padrgraf.h"
#include "messages.h"

class TfrmCompPerLucMed : public margem::TfrmPadrGraf {
  Q_OBJECT
 public:
  explicit TfrmCompPerLucMed(QWidget* parent = nullptr);

  margem::TMessages msgPadrao;

  void FormCreate() override;  // the period title, then the bars
  // The chart as a PNG file; false when the file cannot be written.
  bool SaveImage(const QString& path) const;
};
