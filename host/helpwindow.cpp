// SPDX-License-Identifier: MIT
#include "helpwindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace margem {
namespace {

const QString kWindowName = QStringLiteral("frmAjuda");

}  // namespace

QWidget* ShowHelpWindow(QWidget* screen, const QString& title, const QString& html) {
  auto* window = screen->findChild<QDialog*>(kWindowName, Qt::FindDirectChildrenOnly);
  if (!window) {
    window = new QDialog(screen, Qt::Window);
    window->setObjectName(kWindowName);
    window->setWindowTitle(QStringLiteral("Ajuda — %1").arg(title));
    auto* layout = new QVBoxLayout(window);
    auto* page = new QTextBrowser(window);
    page->setObjectName(QStringLiteral("txtAjuda"));
    page->setOpenExternalLinks(false);
    page->setHtml(html);
    layout->addWidget(page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    // As large as a page reads well, but never larger than the screen it opens on.
    QSize size(760, 640);
    if (const QScreen* shown = screen->screen())
      size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
    window->resize(size);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace margem
