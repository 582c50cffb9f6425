// SPDX-License-Identifier: MIT
// "Margem Final": which handler each component's event runs, and the filter panel's enter and
// exit, followed through the focus moving into or out of panFiltro (Tab, Shift+Tab, mouse).
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>

#include "btnpesquisa.h"
#include "guard.h"
#include "netconnection.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"

void TfrmMargemFinal::BindHandlers() {
  auto guarded = [this](auto handler) {
    return [this, handler] { margem::Guarded(this, handler); };
  };

  connect(sbtImprimir, &QAbstractButton::clicked, this,
          guarded([this] { sbtImprimirClick(sbtImprimir); }));
  connect(sbtGrafico, &QAbstractButton::clicked, this,
          guarded([this] { sbtGraficoClick(sbtGrafico); }));
  connect(Grficos1, &QAction::triggered, this, guarded([this] { Grficos1Click(Grficos1); }));
  connect(sbtExportar, &QAbstractButton::clicked, this,
          guarded([this] { sbtExportarClick(sbtExportar); }));
  connect(mnuExportar, &QAction::triggered, this, [this] {
    if (sbtExportar->isEnabled()) sbtExportar->click();
  });

  netMargem->BeforeConnect = [this](margem::TNetConnection& sender) {
    netMargemBeforeConnect(sender);
  };
  cdsVdOrca->OnCalcFields = [this](margem::TClientDataSet& set) { cdsVdOrcaCalcFields(set); };
  dtsVdOrca->OnStateChange = [this](margem::TDataSource&) { dtsVdOrcaStateChange(dtsVdOrca); };
  connect(cdsVdOrca, &margem::TClientDataSet::rowsReset, this,
          [this] { dtsVdOrcaStateChange(dtsVdOrca); });

  btnNrOrcamento->OnBeforePesq = [this](QObject* sender, bool& flag) {
    btnNrOrcamentoBeforePesq(sender, flag);
  };
  btnNrOrcamento->OnAfterPesq = [this](QObject* sender) { btnNrOrcamentoAfterPesq(sender); };
  // Enter in the number moves on as Tab does, so the quote loads as the panel is left.
  connect(edtNrOrcamento, &QLineEdit::returnPressed, this, [this] {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(edtNrOrcamento, &tab);
  });

  for (OptionSheet* sheet : m_sheets) {
    for (int k = 2; k <= 5; ++k) {
      margem::TNumberEdit* total = sheet->Cell(margem::LadderRow::Total, k);
      margem::TNumberEdit* perGuest = sheet->Cell(margem::LadderRow::PerGuest, k);
      connect(total, &margem::TNumberEdit::changed, this,
              guarded([this, total] { nedVr2Op1Change(total); }));
      connect(perGuest, &margem::TNumberEdit::changed, this,
              guarded([this, perGuest] { nedPs2Op1Change(perGuest); }));
    }
    for (margem::TButtonFlat* button : sheet->sbtVr)
      connect(button, &QAbstractButton::clicked, this,
              guarded([this, button] { sbtVr1Op1Click(button); }));
    sheet->panOpcao->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sheet->panOpcao, &QWidget::customContextMenuRequested, this,
            [sheet](const QPoint& position) { ShowLadderMenu(*sheet, position); });
    margem::TButtonFlat* toggle = sheet->sbtVerOpcao;
    connect(toggle, &QAbstractButton::clicked, this,
            guarded([this, toggle] { sbtVerOpcao1Click(toggle); }));
  }

  connect(qApp, &QApplication::focusChanged, this, &TfrmMargemFinal::OnFocusChanged);
}

// Only focus moves between controls of this form count: a dialog or another window taking the
// focus, or the menu bar taking it while its menus are used from the keyboard, leaves the panel
// neither entered nor left. When the exit handler fails the focus goes back to edtNrOrcamento and
// no enter follows: the panel was never left.
void TfrmMargemFinal::OnFocusChanged(QWidget*, QWidget* now) {
  if (m_inFiltroExit || now == nullptr || !isAncestorOf(now)) return;
  if (qobject_cast<QMenuBar*>(now)) return;
  const bool inFiltro = panFiltro->isAncestorOf(now);
  if (inFiltro == m_focusInFiltro) return;
  m_focusInFiltro = inFiltro;
  if (inFiltro) {
    margem::Guarded(this, [this] { panFiltroEnter(panFiltro); });
    return;
  }
  m_inFiltroExit = true;
  if (!margem::Guarded(this, [this] { panFiltroExit(panFiltro); })) edtNrOrcamento->setFocus();
  m_inFiltroExit = false;
  QWidget* active = ActiveControl();
  m_focusInFiltro = active != nullptr && panFiltro->isAncestorOf(active);
}
