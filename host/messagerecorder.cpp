// SPDX-License-Identifier: MIT
#include "messagerecorder.h"

#include <QApplication>
#include <QMessageBox>

namespace margem {
namespace {

std::function<void(const QString&)>& recorder() {
  static std::function<void(const QString&)> instance;
  return instance;
}

QString boxTitle() {
  const QWidget* active = QApplication::activeWindow();
  if (active && !active->windowTitle().isEmpty()) return active->windowTitle();
  return QStringLiteral("Atenção");
}

}  // namespace

void SetMessageRecorder(std::function<void(const QString&)> recorderFn) {
  recorder() = std::move(recorderFn);
}

void ShowErrorMessage(const QString& text) {
  if (recorder()) {
    recorder()(text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, boxTitle(), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace margem
