// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QTest>
#include <stdexcept>

#include "busyanimation.h"
#include "guard.h"
#include "mensErro.h"
#include "screencursor.h"

using namespace margem;

class TstGuard : public QObject {
  Q_OBJECT

  QStringList m_messages;

 private slots:
  void init() {
    m_messages.clear();
    SetMessageRecorder([this](const QString& text) { m_messages << text; });
  }
  void cleanup() { SetMessageRecorder(nullptr); }

  void mensErroShowsThenAborts() {
    QVERIFY_THROWS_EXCEPTION(SilentAbort, MensErro(QStringLiteral("Orçamento não cadastrado.")));
    MensErro(QStringLiteral("Só aviso."), false);
    QCOMPARE(m_messages, (QStringList{QStringLiteral("Orçamento não cadastrado."), QStringLiteral("Só aviso.")}));
  }

  void guardStopsEveryException_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("nothing raised") << 0 << QStringList();
    QTest::newRow("silent abort after its message")
        << 1 << QStringList{QStringLiteral("Orçamento deve ser informado.")};
    QTest::newRow("other exception shows its text") << 2 << QStringList{QStringLiteral("Campo \"VRLUCRO\" não existe.")};
    QTest::newRow("unknown exception") << 3
                                       << QStringList{QStringLiteral("Ocorreu um erro inesperado. A operação foi cancelada.")};
  }

  void guardStopsEveryException() {
    QFETCH(int, kind);
    QFETCH(QStringList, shown);
    bool after = false;
    const bool finished = Guarded(nullptr, [&] {
      if (kind == 1) MensErro(QStringLiteral("Orçamento deve ser informado."));
      if (kind == 2) throw std::runtime_error("Campo \"VRLUCRO\" não existe.");
      if (kind == 3) throw 42;
      after = true;
    });
    QCOMPARE(after, kind == 0);
    QCOMPARE(finished, kind == 0);
    QCOMPARE(m_messages, shown);
  }

  void guardSurvivesAFailingMessage() {
    SetMessageRecorder([](const QString&) { throw std::runtime_error("sem tela"); });
    QVERIFY(!Guarded(nullptr, [] { throw std::runtime_error("falha"); }));
  }

  void screenCursorKeepsOneOverride() {
    SetScreenCursor(crHourGlass);
    SetScreenCursor(crHourGlass);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetScreenCursor(crDefault);
    QVERIFY(!QApplication::overrideCursor());
  }

  void busyOverlayCoversTheFormUntilHidden() {
    QWidget form;
    form.resize(400, 300);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ActiveShowAvi(&form, 1);
    QWidget* overlay = BusyOverlay();
    QVERIFY(overlay);
    QVERIFY(overlay->isVisible());
    QCOMPARE(overlay->geometry(), form.rect());
    form.resize(500, 350);
    QCOMPARE(overlay->geometry(), form.rect());
    DeactiveShowAvi();
    QVERIFY(!BusyOverlay());
    QVERIFY(!overlay->isVisible());
    DeactiveShowAvi();  // twice is harmless
  }
};

QTEST_MAIN(TstGuard)
#include "tst_guard.moc"
