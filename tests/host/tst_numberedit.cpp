// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include "numberedit.h"

using margem::TNumberEdit;

class TstNumberEdit : public QObject {
  Q_OBJECT

 private:
  static void leave(TNumberEdit& edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
  }

 private slots:
  void setNumberShowsWhatItHolds_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<bool>("currency");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("held");
    QTest::newRow("thousands") << 1234567.891 << 2 << true << false << "1.234.567,89" << 1234567.89;
    QTest::newRow("half up") << 0.005 << 2 << true << false << "0,01" << 0.01;
    QTest::newRow("half away below zero") << -0.125 << 2 << true << false << "-0,13" << -0.13;
    QTest::newRow("carry into units") << 99.996 << 2 << true << false << "100,00" << 100.0;
    QTest::newRow("no negative zero") << -0.001 << 2 << true << false << "0,00" << 0.0;
    QTest::newRow("no decimals") << -2.5 << 0 << true << false << "-3" << -3.0;
    QTest::newRow("no thousands") << 1234.5 << 2 << false << false << "1234,50" << 1234.5;
    QTest::newRow("currency") << 1234.5 << 2 << true << true << "R$ 1.234,50" << 1234.5;
    QTest::newRow("not a number") << qQNaN() << 2 << true << false << "0,00" << 0.0;
  }

  void setNumberShowsWhatItHolds() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(bool, thousands);
    QFETCH(bool, currency);
    QFETCH(QString, text);
    QFETCH(double, held);
    TNumberEdit edit(QStringLiteral("nedTeste"));
    edit.Decimals = decimals;
    edit.Thousands = thousands;
    edit.Currency = currency;
    edit.Reformat();
    edit.SetNumber(value);
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.GetNumber(), held);
  }

  void typingFollowsTheValue_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("afterLeaving");
    // "1" 1, "1." 1, "1.2" 12, "1.23" 123, "1.234" 1234, "1.234," 1234, "1.234,5" 1234.5
    QTest::newRow("thousands and decimals") << "1.234,5" << 1234.5 << 5 << "1.234,50";
    QTest::newRow("negative") << "-3,25" << -3.25 << 3 << "-3,25";
    QTest::newRow("letters refused") << "12a,3" << 12.3 << 3 << "12,30";
    QTest::newRow("third decimal refused") << "1,239" << 1.23 << 3 << "1,23";
    QTest::newRow("zero typed is no change") << "0" << 0.0 << 0 << "0,00";
  }

  void typingFollowsTheValue() {
    QFETCH(QString, keys);
    QFETCH(double, number);
    QFETCH(int, changes);
    QFETCH(QString, afterLeaving);
    TNumberEdit edit(QStringLiteral("nedTeste"));
    QSignalSpy changed(&edit, &TNumberEdit::changed);
    edit.selectAll();
    QTest::keyClicks(&edit, keys);
    QCOMPARE(edit.GetNumber(), number);
    QCOMPARE(changed.count(), changes);
    leave(edit);
    QCOMPARE(edit.text(), afterLeaving);
    QCOMPARE(changed.count(), changes);
  }

  void clearingTheTextMeansZero() {
    TNumberEdit edit(QStringLiteral("nedTeste"));
    edit.SetNumber(42);
    QSignalSpy changed(&edit, &TNumberEdit::changed);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.GetNumber(), 0.0);
    QCOMPARE(changed.count(), 1);
  }

  void setNumberSignalsOnlyAChangeOfTheShownValue() {
    TNumberEdit edit(QStringLiteral("nedTeste"));
    QSignalSpy changed(&edit, &TNumberEdit::changed);
    edit.SetNumber(10);
    QCOMPARE(changed.count(), 1);
    edit.SetNumber(10.004);  // shows 10,00 again
    QCOMPARE(changed.count(), 1);
    edit.SetNumber(10.005);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(edit.GetNumber(), 10.01);
  }

  void disabledEditIsDrawnOnTheButtonFace() {
    TNumberEdit edit(QStringLiteral("nedTeste"));
    edit.setEnabled(false);
    QCOMPARE(edit.palette().color(QPalette::Disabled, QPalette::Base),
             edit.palette().color(QPalette::Active, QPalette::Button));
  }
};

QTEST_MAIN(TstNumberEdit)
#include "tst_numberedit.moc"
