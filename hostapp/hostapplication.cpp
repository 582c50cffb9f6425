// SPDX-License-Identifier: MIT
#include "hostapplication.h"

#include <exception>

#include "guard.h"

HostApplication::HostApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool HostApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    margem::ReportException(std::current_exception());
    return false;
  }
}
