// SPDX-License-Identifier: MIT
#include "forms/dadosgraf.h"

#include <QHBoxLayout>

#include "forms/toolpanel.h"

namespace margem {

TfrmDadosGraf::TfrmDadosGraf(QWidget* parent) : TForm(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);

  panMenu = MakeToolPanel(QStringLiteral("panMenu"), this);
  auto* menuButtons = new QHBoxLayout(panMenu);
  menuButtons->setContentsMargins(4, 2, 8, 2);
  sbtFechar = MakeToolButton(QStringLiteral("sbtFechar"), QStringLiteral("Fechar"), QStringLiteral("Fechar"),
                             QStringLiteral("window-close"), QStyle::SP_DialogCloseButton, panMenu);
  menuButtons->addWidget(sbtFechar);
  menuButtons->addStretch(1);
  layout->addWidget(panMenu);

  grbDadosRel = new QGroupBox(this);
  grbDadosRel->setObjectName(QStringLiteral("grbDadosRel"));
  m_group = new QVBoxLayout(grbDadosRel);
  layout->addWidget(grbDadosRel, 1);

  panBotoes = MakeToolPanel(QStringLiteral("panBotoes"), this);
  auto* bottom = new QHBoxLayout(panBotoes);
  bottom->setContentsMargins(4, 2, 4, 2);
  sbtGrafico = MakeToolButton(QStringLiteral("sbtGrafico"), QStringLiteral("Gráfico"), QStringLiteral("Gráfico"),
                              QStringLiteral("x-office-spreadsheet"), QStyle::SP_FileDialogInfoView, panBotoes);
  bottom->addStretch(1);
  bottom->addWidget(sbtGrafico);
  layout->addWidget(panBotoes);

  connect(sbtFechar, &QToolButton::clicked, this, [this] { Close(); });
}

}  // namespace margem
