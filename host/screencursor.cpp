// SPDX-License-Identifier: MIT
#include "screencursor.h"

#include <QApplication>
#include <QCursor>

namespace margem {
namespace {
int g_cursor = crDefault;
}

void SetScreenCursor(int cursor) {
  if (cursor == g_cursor) return;
  if (g_cursor != crDefault) QApplication::restoreOverrideCursor();
  if (cursor == crHourGlass) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  g_cursor = cursor == crHourGlass ? crHourGlass : crDefault;
}

int ScreenCursor() { return g_cursor; }

}  // namespace margem
