// SPDX-License-Identifier: MIT
// TfrmPadrGraf, the base of the chart screens (shown as modal dialogs): the chart view dchPadrao
// fills the form; its chart (Chart()) starts empty, titled by the derived form.
// SetTitleLines gives the chart its title, one line a text, each blank kept as written (the
// chart lays titles out as rich text, which would merge repeated blanks); TitleLines returns
// them as given.
#pragma once

#include <QChart>
#include <QChartView>
#include <QStringList>

#include "forms/form.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmPadrGraf : public TForm {
  Q_OBJECT
 public:
  explicit TfrmPadrGraf(QWidget* parent = nullptr);

  QChartView* dchPadrao;
  QChart* Chart() const { return dchPadrao->chart(); }
  void SetTitleLines(const QStringList& lines);
  QStringList TitleLines() const { return m_titleLines; }

 private:
  QStringList m_titleLines;
};

}  // namespace margem
