// SPDX-License-Identifier: MIT
#include "statusmessage.h"

#include <QDir>
#include <QMainWindow>
#include <QStatusBar>

#include "formhost.h"

namespace margem {
namespace {

QString& shown() {
  static QString text;
  return text;
}

QStatusBar* hostStatusBar() {
  auto* window = qobject_cast<QMainWindow*>(MainForm());
  return window ? window->statusBar() : nullptr;
}

}  // namespace

void ShowStatusMessage(const QString& text) {
  shown() = text;
  if (QStatusBar* bar = hostStatusBar()) bar->showMessage(text);
}

void ClearStatusMessage() {
  shown().clear();
  if (QStatusBar* bar = hostStatusBar()) bar->clearMessage();
}

QString StatusMessage() { return shown(); }

void ShowFileSaved(const QString& path) {
  ShowStatusMessage(QStringLiteral("Arquivo gravado em %1.").arg(QDir::toNativeSeparators(path)));
}

}  // namespace margem
