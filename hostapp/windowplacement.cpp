// SPDX-License-Identifier: MIT
#include "windowplacement.h"

#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>

#include "formhost.h"
#include "usersettings.h"

namespace {

const QString kGeometryKey = QStringLiteral("Janela/Geometria");

// Room left around the window for the window manager's title bar and borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

// Moves and shrinks normal subwindows back inside the area's viewport.
class SubWindowKeeper final : public QObject {
 public:
  explicit SubWindowKeeper(QMdiArea& area) : QObject(&area), m_area(area) {
    area.viewport()->installEventFilter(this);
    connect(&area, &QMdiArea::subWindowActivated, this, [this] { keepInside(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) keepInside();
    return false;
  }

 private:
  void keepInside() {
    const QRect room = m_area.viewport()->rect();
    if (room.isEmpty()) return;
    for (QMdiSubWindow* sub : m_area.subWindowList()) {
      if (sub->isMaximized() || sub->isMinimized()) continue;
      QRect frame = sub->geometry();
      frame.setSize(frame.size().boundedTo(room.size()).expandedTo(sub->minimumSize()));
      frame = margem::KeptInside(frame, room);
      if (frame != sub->geometry()) sub->setGeometry(frame);
    }
  }

  QMdiArea& m_area;
};

}  // namespace

QRect FittedWindow(const QRect& available) {
  // Nine tenths of a large screen, at least 1240 × 880 where that fits, never beyond the screen.
  const int width =
      std::min(available.width() - kFrameWidth, std::max(1240, available.width() * 9 / 10));
  const int height =
      std::min(available.height() - kFrameHeight, std::max(880, available.height() * 9 / 10));
  QRect frame(0, 0, width, height);
  frame.moveCenter(available.center());
  return frame;
}

void PlaceMainWindow(QMainWindow& window) {
  const QByteArray saved = margem::UserSettings()->value(kGeometryKey).toByteArray();
  if (!saved.isEmpty() && window.restoreGeometry(saved)) return;
  if (const QScreen* screen = window.screen())
    window.setGeometry(FittedWindow(screen->availableGeometry()));
}

void RememberMainWindow(const QMainWindow& window) {
  margem::UserSettings()->setValue(kGeometryKey, window.saveGeometry());
}

void KeepSubWindowsInside(QMdiArea& area) { new SubWindowKeeper(area); }
