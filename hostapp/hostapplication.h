// SPDX-License-Identifier: MIT
// The host's application object. Every event Qt delivers passes through notify, which is the
// outermost handler guard: the silent abort is swallowed (its message is already on screen) and
// any other exception is shown as the host's error message, so none unwinds through the event
// loop.
#pragma once

#include <QApplication>

class HostApplication final : public QApplication {
  Q_OBJECT
 public:
  HostApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
