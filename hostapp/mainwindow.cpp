// SPDX-License-Identifier: MIT
#include "mainwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "formhost.h"
#include "guard.h"
#include "messagerecorder.h"
#include "netconnection.h"
#include "packagelibrary.h"
#include "webconfig.h"
#include "windowplacement.h"

namespace {
const QString kHostTitle = QStringLiteral("Gestão de Eventos");
}

MainWindow::MainWindow(PackageLibrary& package) : m_package(package), m_area(new QMdiArea(this)) {
  setObjectName(QStringLiteral("frmPrincipal"));
  m_area->setObjectName(QStringLiteral("mdiArea"));
  m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_area->setBackground(QColor(0x5a, 0x6e, 0x82));
  setCentralWidget(m_area);
  margem::SetMdiArea(m_area);
  buildMenus();
  statusBar()->addPermanentWidget(new QLabel(
      QStringLiteral("Servidor de aplicação: %1:%2").arg(margem::WebURL()).arg(margem::WebPort())));
  connect(m_area, &QMdiArea::subWindowActivated, this, &MainWindow::updateTitle);
  KeepSubWindowsInside(*m_area);
  updateTitle();
  PlaceMainWindow(*this);
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Arquivo"));
  QAction* quit = file->addAction(QStringLiteral("Sai&r"), this, &QWidget::close);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* modules = menuBar()->addMenu(QStringLiteral("&Módulos"));
  modules->setObjectName(QStringLiteral("mnuModulos"));
  QAction* margem =
      modules->addAction(QStringLiteral("&Margem Final"), this, &MainWindow::OpenMargemFinal);
  margem->setObjectName(QStringLiteral("mnuMargemFinal"));

  QMenu* windows = menuBar()->addMenu(QStringLiteral("&Janela"));
  windows->addAction(QStringLiteral("&Cascata"), m_area, &QMdiArea::cascadeSubWindows);
  windows->addAction(QStringLiteral("&Lado a lado"), m_area, &QMdiArea::tileSubWindows);
  windows->addAction(QStringLiteral("&Fechar todas"), m_area, &QMdiArea::closeAllSubWindows);

  QMenu* help = menuBar()->addMenu(QStringLiteral("A&juda"));
  help->addAction(QStringLiteral("&Sobre o pacote"), this, &MainWindow::showAbout);
}

void MainWindow::OpenMargemFinal() {
  if (!m_package.Usable()) {
    margem::ShowErrorMessage(m_package.Problem());
    return;
  }
  margem::Guarded(this, [this] { m_package.IniProc(); });
  updateTitle();
}

void MainWindow::updateTitle() {
  const QMdiSubWindow* active = m_area->activeSubWindow();
  if (active && !active->windowTitle().isEmpty())
    setWindowTitle(kHostTitle + QStringLiteral(" — ") + active->windowTitle());
  else
    setWindowTitle(kHostTitle);
}

void MainWindow::showAbout() {
  QStringList lines{QStringLiteral("%1 — hospedeiro de módulos").arg(kHostTitle),
                    QStringLiteral("Versão %1").arg(QStringLiteral(MARGEM_VERSION))};
  // The server names itself as program/version in its replies; shown while a screen is connected.
  const QString server = margem::ConnectedServerSoftware();
  if (!server.isEmpty()) {
    const qsizetype slash = server.indexOf(u'/');
    lines << QStringLiteral("Servidor de aplicação: %1")
                 .arg(slash < 0 ? server
                                : QStringLiteral("%1, versão %2")
                                      .arg(server.left(slash), server.mid(slash + 1)));
  }
  if (m_package.Usable())
    lines << m_package.Description();
  else
    lines << m_package.Problem();
  QMessageBox::about(this, QStringLiteral("Sobre o pacote"), lines.join(QLatin1Char('\n')));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  m_area->closeAllSubWindows();
  if (!m_area->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  RememberMainWindow(*this);
  event->accept();
}
