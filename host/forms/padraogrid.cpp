// SPDX-License-Identifier: MIT
#include "forms/padraogrid.h"

#include <QMessageBox>

#include "forms/toolpanel.h"
#include "guard.h"
#include "helpwindow.h"

namespace margem {

TfrmPadraoGrid::TfrmPadraoGrid(QWidget* parent) : TForm(parent) {
  m_body = new QVBoxLayout(this);
  m_body->setContentsMargins(4, 0, 4, 4);
  m_body->setSpacing(4);

  mnuMenu = new QMenuBar(this);
  mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
  mnuManutencao = mnuMenu->addMenu(QStringLiteral("&Manutenção"));
  mnuManutencao->setObjectName(QStringLiteral("mnuManutencao"));
  mnuImprimir = mnuManutencao->addAction(QStringLiteral("&Imprimir"));
  mnuImprimir->setObjectName(QStringLiteral("mnuImprimir"));
  m_body->setMenuBar(mnuMenu);

  panMenu = MakeToolPanel(QStringLiteral("panMenu"), this);
  m_menuButtons = new QHBoxLayout(panMenu);
  m_menuButtons->setContentsMargins(4, 2, 8, 2);
  sbtAjuda =
      MakeToolButton(QStringLiteral("sbtAjuda"), QStringLiteral("Ajuda"), QStringLiteral("Ajuda"),
                     QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton, panMenu);
  sbtImprimir = MakeToolButton(QStringLiteral("sbtImprimir"), QStringLiteral("Imprimir"),
                               QStringLiteral("Imprimir"), QStringLiteral("document-print"),
                               QStyle::SP_FileDialogDetailedView, panMenu);
  sbtFechar = MakeToolButton(QStringLiteral("sbtFechar"), QStringLiteral("Fechar"),
                             QStringLiteral("Fechar"), QStringLiteral("window-close"),
                             QStyle::SP_DialogCloseButton, panMenu);
  lblCodTela = MakeCodeLabel(QStringLiteral("lblCodTela"), panMenu);
  m_menuButtons->addWidget(sbtAjuda);
  m_menuButtons->addWidget(sbtImprimir);
  m_menuButtons->addWidget(sbtFechar);
  m_menuButtons->addStretch(1);
  m_menuButtons->addWidget(lblCodTela);
  m_body->addWidget(panMenu);

  pgcPadrao = new QTabWidget(this);
  pgcPadrao->setObjectName(QStringLiteral("pgcPadrao"));
  tshPadrao = AddSheet(QStringLiteral("tshPadrao"), QString());
  dbgPadrao = new TDBGrid(QStringLiteral("dbgPadrao"), tshPadrao);
  SheetLayout(tshPadrao)->addWidget(dbgPadrao);
  m_body->addWidget(pgcPadrao, 1);

  panNavigator = MakeToolPanel(QStringLiteral("panNavigator"), this);
  auto* navigatorLayout = new QHBoxLayout(panNavigator);
  navigatorLayout->setContentsMargins(4, 2, 4, 2);
  dtsPadrao = new TDataSource(QStringLiteral("dtsPadrao"), this);
  dbnPadrao = new TDBNavigator(QStringLiteral("dbnPadrao"), panNavigator);
  dbnPadrao->SetDataSource(dtsPadrao);
  navigatorLayout->addWidget(dbnPadrao);
  m_body->addWidget(panNavigator);

  connect(sbtFechar, &QToolButton::clicked, this, [this] { Close(); });
  connect(sbtAjuda, &QToolButton::clicked, this, [this] {
    if (HelpPage.isEmpty())
      QMessageBox::information(this, QStringLiteral("Ajuda"),
                               QStringLiteral("%1\nTela %2").arg(Caption, lblCodTela->text()));
    else
      ShowHelpWindow(this, Caption, HelpPage);
  });
  auto* help = new QAction(QStringLiteral("Ajuda"), this);
  help->setObjectName(QStringLiteral("actAjuda"));
  AddFormShortcut(help, QKeySequence::HelpContents);
  connect(help, &QAction::triggered, sbtAjuda, &QToolButton::click);
  AddFormShortcut(mnuImprimir, QKeySequence::Print);
  connect(mnuImprimir, &QAction::triggered, this, [this] {
    if (sbtImprimir->isEnabled()) sbtImprimir->click();
  });
}

void TfrmPadraoGrid::AddFormShortcut(QAction* action, const QKeySequence& shortcut) {
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(action);
}

QVBoxLayout* TfrmPadraoGrid::SheetLayout(QWidget* sheet) const {
  return sheet ? qobject_cast<QVBoxLayout*>(sheet->layout()) : nullptr;
}

void TfrmPadraoGrid::AddMenuButton(TButtonFlat* button) {
  button->setParent(panMenu);
  m_menuButtons->insertWidget(m_menuButtons->count() - 2, button);
}

QWidget* TfrmPadraoGrid::AddSheet(const QString& name, const QString& caption) {
  auto* sheet = new QWidget(pgcPadrao);
  sheet->setObjectName(name);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(2, 2, 2, 2);
  pgcPadrao->addTab(sheet, caption);
  return sheet;
}

}  // namespace margem
