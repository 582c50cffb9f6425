// SPDX-License-Identifier: MIT
#include "busyanimation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "formhost.h"

namespace margem {
namespace {

// A translucent veil with a card in the middle: a spinner and "Aguarde…". The spinner turns when
// the event loop runs; during a blocking call it stays as painted.
class BusyVeil final : public QWidget {
 public:
  explicit BusyVeil(QWidget* host) : QWidget(host) {
    setObjectName(QStringLiteral("busyOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    host->installEventFilter(this);
    setGeometry(host->rect());
    connect(&m_timer, &QTimer::timeout, this, [this] {
      m_angle = (m_angle + 30) % 360;
      update();
    });
    m_timer.start(80);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Resize)
      setGeometry(parentWidget()->rect());
    return false;
  }

  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0, 0, 0, 70));
    const QRect card(width() / 2 - 110, height() / 2 - 45, 220, 90);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(palette().color(QPalette::Window));
    p.drawRoundedRect(card, 8, 8);
    const QRect spinner(card.left() + 20, card.center().y() - 16, 32, 32);
    p.setPen(QPen(palette().color(QPalette::Mid), 4));
    p.drawEllipse(spinner);
    p.setPen(QPen(palette().color(QPalette::Highlight), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(spinner, -m_angle * 16, 100 * 16);
    QFont font = p.font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    p.setFont(font);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(card.adjusted(70, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Aguarde…"));
  }

 private:
  QTimer m_timer;
  int m_angle = 0;
};

QPointer<QWidget>& overlay() {
  static QPointer<QWidget> instance;
  return instance;
}

QWidget* hostFor(QWidget* form) {
  if (form) return form->window();
  if (QWidget* main = MainForm()) return main;
  return QApplication::activeWindow();
}

}  // namespace

void ActiveShowAvi(QWidget* form, int) {
  DeactiveShowAvi();
  QWidget* host = hostFor(form);
  if (!host) return;
  auto* veil = new BusyVeil(host);
  overlay() = veil;
  veil->show();
  veil->raise();
  veil->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DeactiveShowAvi() {
  if (overlay()) {
    overlay()->hide();
    overlay()->deleteLater();
  }
  overlay() = nullptr;
}

QWidget* BusyOverlay() { return overlay(); }

}  // namespace margem
