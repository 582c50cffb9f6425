// SPDX-License-Identifier: MIT
// Working in a screen that a click or a menu entry shows modally: the test's own code runs inside
// the dialog's event loop, once the screen is up.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace testsupport {

// Runs open, which is to show a form of class T in a modal dialog; use runs once on that form
// while it is shown, and the form is then closed unless use closed it. False when no such form
// was shown while open ran.
template <class T>
bool WithModalForm(const std::function<void()>& open, const std::function<void(T*)>& use) {
  bool shown = false;
  bool opening = true;
  QTimer watcher;
  watcher.setInterval(10);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    T* form = modal ? modal->findChild<T*>() : nullptr;
    if (!form || !opening || shown) return;
    shown = true;
    QPointer<T> alive(form);
    use(form);
    if (alive && !alive->IsClosed()) alive->Close();
  });
  watcher.start();
  open();
  opening = false;
  return shown;
}

}  // namespace testsupport
