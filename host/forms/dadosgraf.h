// SPDX-License-Identifier: MIT
// TfrmDadosGraf, the base of the chart-data screens (shown as modal dialogs). Top to bottom:
//   panMenu: sbtFechar;
//   grbDadosRel: the group box that holds the derived form's choices (GroupLayout);
//   panBotoes: sbtGrafico "Gráfico" at the right (its click is the derived form's).
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QVBoxLayout>

#include "buttonflat.h"
#include "forms/form.h"
#include "hostexport.h"
#include "messages.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmDadosGraf : public TForm {
  Q_OBJECT
 public:
  explicit TfrmDadosGraf(QWidget* parent = nullptr);

  QFrame* panMenu;
  TButtonFlat* sbtFechar;
  QGroupBox* grbDadosRel;
  QFrame* panBotoes;
  TButtonFlat* sbtGrafico;
  TMessages msgPadrao;

  QVBoxLayout* GroupLayout() const { return m_group; }

 private:
  QVBoxLayout* m_group;
};

}  // namespace margem
