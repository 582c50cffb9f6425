// SPDX-License-Identifier: MIT
#include "forms/dadosgerrel.h"

#include "forms/toolpanel.h"

namespace margem {

TfrmDadosGerRel::TfrmDadosGerRel(QWidget* parent) : TForm(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);

  panMenu = MakeToolPanel(QStringLiteral("panMenu"), this);
  auto* buttons = new QHBoxLayout(panMenu);
  buttons->setContentsMargins(4, 2, 8, 2);
  sbtVisualizar = MakeToolButton(QStringLiteral("sbtVisualizar"), QStringLiteral("Visualizar"),
                                 QStringLiteral("Visualizar o relatório"), QStringLiteral("document-print-preview"),
                                 QStyle::SP_FileDialogContentsView, panMenu);
  sbtImprimir = MakeToolButton(QStringLiteral("sbtImprimir"), QStringLiteral("Imprimir"),
                               QStringLiteral("Imprimir o relatório"), QStringLiteral("document-print"),
                               QStyle::SP_FileDialogDetailedView, panMenu);
  sbtFechar = MakeToolButton(QStringLiteral("sbtFechar"), QStringLiteral("Fechar"), QStringLiteral("Fechar"),
                             QStringLiteral("window-close"), QStyle::SP_DialogCloseButton, panMenu);
  lblCodRel = MakeCodeLabel(QStringLiteral("lblCodRel"), panMenu);
  lblCodTela = MakeCodeLabel(QStringLiteral("lblCodTela"), panMenu);
  buttons->addWidget(sbtVisualizar);
  buttons->addWidget(sbtImprimir);
  buttons->addWidget(sbtFechar);
  buttons->addStretch(1);
  buttons->addWidget(lblCodRel);
  buttons->addSpacing(12);
  buttons->addWidget(lblCodTela);
  layout->addWidget(panMenu);

  m_body = new QVBoxLayout;
  layout->addLayout(m_body, 1);

  rpddPadrao = new TReportDesignerDialog(QStringLiteral("rpddPadrao"), this);

  connect(sbtVisualizar, &QToolButton::clicked, this, &TfrmDadosGerRel::previewRequested);
  connect(sbtImprimir, &QToolButton::clicked, this, &TfrmDadosGerRel::printRequested);
  connect(sbtFechar, &QToolButton::clicked, this, [this] { Close(); });
}

}  // namespace margem
