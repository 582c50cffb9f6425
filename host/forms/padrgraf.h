// SPDX-License-Identifier: MIT
// TfrmPadrGraf, the base of the chart screens (shown as modal dialogs): the chart view dchPadrao
// fills the form; its chart (Chart()) starts empty, titled by the derived form.
#pragma once

#include <QChart>
#include <QChartView>

#include "forms/form.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmPadrGraf : public TForm {
  Q_OBJECT
 public:
  explicit TfrmPadrGraf(QWidget* parent = nullptr);

  QChartView* dchPadrao;
  QChart* Chart() const { return dchPadrao->chart(); }
};

}  // namespace margem
