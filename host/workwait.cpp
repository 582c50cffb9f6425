// SPDX-License-Identifier: MIT
#include "workwait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace margem {
namespace {

// How long a wait goes before it shows the wait cursor: quick calls do not flicker it.
constexpr int kCursorDelayMs = 300;

// Swallows, for the whole application, every event by which a user acts: keys, shortcuts,
// mouse buttons, wheel, touch, drag and drop, context menus and the window system's closes.
class UserInputBlock final : public QObject {
 public:
  UserInputBlock() { QCoreApplication::instance()->installEventFilter(this); }
  ~UserInputBlock() override { QCoreApplication::instance()->removeEventFilter(this); }
  UserInputBlock(const UserInputBlock&) = delete;
  UserInputBlock& operator=(const UserInputBlock&) = delete;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::ShortcutOverride:
        event->accept();  // taken here, so no shortcut is looked for either
        return true;
      case QEvent::Close:
        // Only the window system's close (the title bar's button) is the user's; a window that
        // the program closes (a tooltip going away) closes.
        if (!event->spontaneous()) return false;
        event->ignore();
        return true;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::NonClientAreaMouseButtonPress:
      case QEvent::NonClientAreaMouseButtonRelease:
      case QEvent::NonClientAreaMouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletPress:
      case QEvent::TabletRelease:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::InputMethod:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

bool WaitForWork(std::function<void()> work, int timeoutMs) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || QThread::currentThread() != application->thread()) {
    work();
    return true;
  }
  const auto done = std::make_shared<std::atomic<bool>>(false);
  QThread* worker = QThread::create([work = std::move(work), done] {
    work();
    done->store(true);
  });
  QEventLoop loop;
  QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
  QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  bool cursorShown = false;
  QTimer cursor;
  cursor.setSingleShot(true);
  QObject::connect(&cursor, &QTimer::timeout, &loop, [&cursorShown] {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    cursorShown = true;
  });

  UserInputBlock block;
  worker->start();
  deadline.start(timeoutMs);
  cursor.start(kCursorDelayMs);
  while (!done->load() && deadline.isActive()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  // What the user typed or clicked meanwhile was only held back by the window system's queue:
  // it is let through once more while still blocked, so it is dropped, not acted on afterwards.
  QCoreApplication::processEvents();
  if (cursorShown) QGuiApplication::restoreOverrideCursor();
  return done->load();
}

}  // namespace margem
