// SPDX-License-Identifier: MIT
#include "forms/form.h"

#include <QCloseEvent>
#include <QDialog>
#include <QMdiSubWindow>

#include "guard.h"

namespace margem {

TForm::TForm(QWidget* parent) : QWidget(parent), m_registry(this) {}

void TForm::FormCreate() {}

void TForm::FormClose(CloseAction& action) { action = caFree; }

QObject* TForm::FindComponent(const QString& name) const { return m_registry.Find(name); }

QWidget* TForm::ActiveControl() const {
  QWidget* focus = window()->focusWidget();
  return focus && isAncestorOf(focus) ? focus : nullptr;
}

QWidget* TForm::Container() const {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
  return window();
}

void TForm::Close() {
  QWidget* container = Container();
  if (container == this)
    close();
  else
    container->close();
}

void TForm::showEvent(QShowEvent* event) {
  m_closed = false;
  QWidget::showEvent(event);
}

void TForm::closeEvent(QCloseEvent* event) {
  if (m_closed) {
    event->accept();
    return;
  }
  CloseAction action = caFree;
  Guarded(this, [this, &action] { FormClose(action); });
  QWidget* container = Container();
  switch (action) {
    case caNone:
      event->ignore();
      return;
    case caMinimize:
      event->ignore();
      container->showMinimized();
      return;
    case caHide:
      container->setAttribute(Qt::WA_DeleteOnClose, false);
      break;
    case caFree:
      container->setAttribute(Qt::WA_DeleteOnClose, !qobject_cast<QDialog*>(container));
      break;
  }
  m_closed = true;
  m_closedWith = action;
  event->accept();
}

}  // namespace margem
