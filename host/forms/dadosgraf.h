// SPDX-License-Identifier: MIT
// TfrmDadosGraf, the base of the chart-data screens (shown as modal dialogs of a fixed size).
// The client area is 435 × 152:
//   grbDadosRel (0, 0, 380 × 152): the group box in which the derived form places its choices at
//     fixed positions (children of grbDadosRel);
//   panMenu (380, 0, 55 × 152): the side panel; its panBotoes holds sbtGrafico "Gráfico" at the
//     top (its click is the derived form's) and sbtFechar at the bottom.
#pragma once

#include <QFrame>
#include <QGroupBox>

#include "buttonflat.h"
#include "forms/form.h"
#include "hostexport.h"
#include "messages.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmDadosGraf : public TForm {
  Q_OBJECT
 public:
  explicit TfrmDadosGraf(QWidget* parent = nullptr);

  QGroupBox* grbDadosRel;
  QFrame* panMenu;
  QFrame* panBotoes;
  TButtonFlat* sbtGrafico;
  TButtonFlat* sbtFechar;
  TMessages msgPadrao;
};

}  // namespace margem
