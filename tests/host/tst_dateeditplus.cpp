// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QTest>

#include "dateeditplus.h"
#include "mensErro.h"

using margem::TDateEditPlus;

class TstDateEditPlus : public QObject {
  Q_OBJECT

  QStringList m_messages;

 private slots:
  void init() {
    m_messages.clear();
    margem::SetMessageRecorder([this](const QString& text) { m_messages << text; });
  }
  void cleanup() { margem::SetMessageRecorder(nullptr); }

  void typedText_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing typed") << "" << true << QDate() << "";
    QTest::newRow("real day") << "10032005" << false << QDate(2005, 3, 10) << "";
    QTest::newRow("leap day") << "29022004" << false << QDate(2004, 2, 29) << "";
    QTest::newRow("no such day") << "31022005" << false << QDate()
                                 << "Data inválida: \"31/02/2005\". Informe a data no formato dd/mm/aaaa.";
    QTest::newRow("not a leap year") << "29022005" << false << QDate()
                                     << "Data inválida: \"29/02/2005\". Informe a data no formato dd/mm/aaaa.";
    QTest::newRow("half typed") << "1003" << false << QDate()
                                << "Data inválida: \"10/03/\". Informe a data no formato dd/mm/aaaa.";
  }

  void typedText() {
    QFETCH(QString, keys);
    QFETCH(bool, empty);
    QFETCH(QDate, date);
    QFETCH(QString, message);

    QWidget window;
    auto* edit = new TDateEditPlus(QStringLiteral("depDeDtInc"), &window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    edit->home(false);
    QTest::keyClicks(edit, keys);

    QCOMPARE(edit->IsEmpty(), empty);
    QCOMPARE(edit->GetDate(), date);
    bool aborted = false;
    try {
      edit->CheckValidDate();
    } catch (const margem::SilentAbort&) {
      aborted = true;
    }
    QCOMPARE(aborted, !message.isEmpty());
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (aborted) QCOMPARE(window.focusWidget(), edit);
  }

  void setDateAndClear() {
    TDateEditPlus edit(QStringLiteral("depAteDtInc"));
    edit.NomeSemana = {QStringLiteral("Domingo"), QStringLiteral("Segunda"), QStringLiteral("Terça"),
                       QStringLiteral("Quarta"),  QStringLiteral("Quinta"),  QStringLiteral("Sexta"),
                       QStringLiteral("Sábado")};
    edit.SetDate(QDate(2005, 3, 31));
    QCOMPARE(edit.text(), QStringLiteral("31/03/2005"));
    QCOMPARE(edit.GetDate(), QDate(2005, 3, 31));
    QCOMPARE(edit.toolTip(), QStringLiteral("Quinta"));
    edit.Clear();
    QVERIFY(edit.IsEmpty());
    QVERIFY(!edit.GetDate().isValid());
    QVERIFY(edit.toolTip().isEmpty());
    edit.SetDate(QDate(2005, 3, 6));
    edit.SetDate(QDate());
    QVERIFY(edit.IsEmpty());
  }
};

QTEST_MAIN(TstDateEditPlus)
#include "tst_dateeditplus.moc"
