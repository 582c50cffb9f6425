// SPDX-License-Identifier: MIT
#include "forms/dadosgraf.h"

#include <QVBoxLayout>

#include "forms/toolpanel.h"

namespace margem {
namespace {

constexpr QSize kClientArea(435, 152);
constexpr int kChoicesWidth = 380;

}  // namespace

TfrmDadosGraf::TfrmDadosGraf(QWidget* parent) : TForm(parent) {
  grbDadosRel = new QGroupBox(this);
  grbDadosRel->setObjectName(QStringLiteral("grbDadosRel"));
  grbDadosRel->setGeometry(0, 0, kChoicesWidth, kClientArea.height());

  panMenu = MakeToolPanel(QStringLiteral("panMenu"), this);
  panMenu->setGeometry(kChoicesWidth, 0, kClientArea.width() - kChoicesWidth, kClientArea.height());
  auto* side = new QVBoxLayout(panMenu);
  side->setContentsMargins(0, 0, 0, 0);
  panBotoes = new QFrame(panMenu);
  panBotoes->setObjectName(QStringLiteral("panBotoes"));
  side->addWidget(panBotoes);

  auto* buttons = new QVBoxLayout(panBotoes);
  buttons->setContentsMargins(2, 4, 2, 4);
  sbtGrafico = MakeSideButton(QStringLiteral("sbtGrafico"), QStringLiteral("Gráfico"),
                              QStringLiteral("x-office-spreadsheet"), QStyle::SP_FileDialogInfoView,
                              panBotoes);
  sbtFechar =
      MakeSideButton(QStringLiteral("sbtFechar"), QStringLiteral("Fechar"),
                     QStringLiteral("window-close"), QStyle::SP_DialogCloseButton, panBotoes);
  buttons->addWidget(sbtGrafico);
  buttons->addStretch(1);
  buttons->addWidget(sbtFechar);

  setFixedSize(kClientArea);
  connect(sbtFechar, &QToolButton::clicked, this, [this] { Close(); });
}

}  // namespace margem
