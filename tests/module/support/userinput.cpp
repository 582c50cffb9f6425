// SPDX-License-Identifier: MIT
#include "userinput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace testsupport {

bool ShowActive(QWidget* widget) {
  QWidget* window = widget->window();
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

void MoveFocus(QWidget* widget) {
  widget->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
}

void TypeText(QWidget* widget, const QString& text) {
  MoveFocus(widget);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
  QTest::keyClick(widget, Qt::Key_Delete);
  QTest::keyClicks(widget, text);
  QApplication::processEvents();
}

void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  QApplication::processEvents();
}

}  // namespace testsupport
