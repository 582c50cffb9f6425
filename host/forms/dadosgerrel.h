// SPDX-License-Identifier: MIT
// TfrmDadosGerRel, the base of the report screens (shown as modal dialogs). Top to bottom:
//   panMenu: sbtVisualizar, sbtImprimir, sbtFechar, then the report-code label lblCodRel and the
//     screen-code label lblCodTela at the right;
//   the body (BodyLayout, empty: the derived form adds its controls).
// rpddPadrao is the report dialog; sbtVisualizar and sbtImprimir emit previewRequested and
// printRequested, which the report engine connects to.
#pragma once

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "buttonflat.h"
#include "forms/form.h"
#include "hostexport.h"
#include "reportdialog.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmDadosGerRel : public TForm {
  Q_OBJECT
 public:
  explicit TfrmDadosGerRel(QWidget* parent = nullptr);

  QFrame* panMenu;
  TButtonFlat* sbtVisualizar;
  TButtonFlat* sbtImprimir;
  TButtonFlat* sbtFechar;
  QLabel* lblCodRel;
  QLabel* lblCodTela;
  TReportDesignerDialog* rpddPadrao;

  QVBoxLayout* BodyLayout() const { return m_body; }

 signals:
  void previewRequested();
  void printRequested();

 private:
  QVBoxLayout* m_body;
};

}  // namespace margem
