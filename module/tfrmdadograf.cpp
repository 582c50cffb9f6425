// SPDX-License-Identifier: MIT
// "Gráficos": creation, closing, the chart choice and the handlers Qt calls.
#include "tfrmdadograf.h"

#include <QFocusEvent>
#include <QLabel>
#include <QRadioButton>

#include "cli_ore01402.h"
#include "dateeditplus.h"
#include "guard.h"

TfrmDadoGraf::TfrmDadoGraf(QWidget* parent) : margem::TfrmDadosGraf(parent) {
  BuildForm();
  DefineDataSets();
  BindHandlers();
}

TfrmDadoGraf::~TfrmDadoGraf() = default;

void TfrmDadoGraf::BindHandlers() {
  const auto onClick = [this](QAbstractButton* button, void (TfrmDadoGraf::*handler)(QObject*)) {
    connect(button, &QAbstractButton::clicked, this, [this, button, handler] {
      margem::Guarded(this, [this, button, handler] { (this->*handler)(button); });
    });
  };
  onClick(rbtGrafGrup, &TfrmDadoGraf::rbtGrafGrupClick);
  onClick(rbtPercGrupxMedPer, &TfrmDadoGraf::rbtPercGrupxMedPerClick);
  onClick(sbtGrafico, &TfrmDadoGraf::sbtGraficoClick);
  depDeDtInc->installEventFilter(this);
  depAteDtInc->installEventFilter(this);
}

bool TfrmDadoGraf::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Focus taken by a message box or a popup is no exit: the user did not leave the edit.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (watched == depDeDtInc) margem::Guarded(this, [this] { depDeDtIncExit(depDeDtInc); });
      if (watched == depAteDtInc) margem::Guarded(this, [this] { depAteDtIncExit(depAteDtInc); });
    }
  }
  return margem::TfrmDadosGraf::eventFilter(watched, event);
}

void TfrmDadoGraf::FormCreate() {
  margem::TfrmDadosGraf::FormCreate();
  depDeDtInc->Clear();
  depAteDtInc->Clear();
  rbtGrafGrupClick(rbtGrafGrup);
  cdsPercLucrGrup->CreateDataSet();
  cdsMediaOrca->CreateDataSet();
  cdsValorOpc->CreateDataSet();
  cdsAuxMediaOrca->CreateDataSet();
  cdsPercTLuc->CreateDataSet();
}

void TfrmDadoGraf::FormClose(margem::CloseAction& action) {
  margem::TfrmDadosGraf::FormClose(action);
  Cli_ore01402::boIdCriado = false;
}

void TfrmDadoGraf::rbtGrafGrupClick(QObject*) {
  lblDe->setEnabled(false);
  lblAte->setEnabled(false);
  depDeDtInc->setEnabled(false);
  depAteDtInc->setEnabled(false);
}

void TfrmDadoGraf::rbtPercGrupxMedPerClick(QObject*) {
  lblDe->setEnabled(true);
  lblAte->setEnabled(true);
  depDeDtInc->setEnabled(true);
  depAteDtInc->setEnabled(true);
}

void TfrmDadoGraf::depDeDtIncExit(QObject*) { depDeDtInc->CheckValidDate(); }

void TfrmDadoGraf::depAteDtIncExit(QObject*) { depAteDtInc->CheckValidDate(); }

margem::ChartDataSets TfrmDadoGraf::Sets() const {
  return {cdsOrcamento,    cdsPercLucrGrup, cdsMediaOrca, cdsValorOpc,
          cdsAuxMediaOrca, cdsMarTLuc,      cdsPercTLuc};
}
