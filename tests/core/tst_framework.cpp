// SPDX-License-Identifier: MIT
// The framework functions without a screen: RoundDec, Ajusta, EmptyString, TMessages, and the
// pt_BR text of numbers and dates.
#include <QtTest>

#include "framework.h"
#include "messages.h"
#include "ptbr.h"

using namespace margem;

class TestFramework : public QObject {
  Q_OBJECT

 private slots:
  void roundDec_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("carry into a new digit") << 99.996 << 2 << 100.0;
    QTest::newRow("negative half away from zero") << -0.125 << 2 << -0.13;
    QTest::newRow("binary neighbour of a half") << 1.005 << 2 << 1.01;
    QTest::newRow("another binary neighbour") << 2.675 << 2 << 2.68;
    QTest::newRow("below half") << 1.004999 << 2 << 1.0;
    QTest::newRow("already exact") << 12.5 << 2 << 12.5;
    QTest::newRow("to integer, half") << 2.5 << 0 << 3.0;
    QTest::newRow("to integer, negative half") << -2.5 << 0 << -3.0;
    QTest::newRow("tiny value to zero") << 0.0004 << 2 << 0.0;
    QTest::newRow("tiny value to first unit") << 0.005 << 2 << 0.01;
    QTest::newRow("large money value") << 1234567.125 << 2 << 1234567.13;
    QTest::newRow("zero") << 0.0 << 2 << 0.0;
    QTest::newRow("more decimals than digits") << 0.1 << 10 << 0.1;
  }
  void roundDec() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(RoundDec(value, decimals), expected);
  }

  void ajusta_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short number") << "123" << 10 << "0000000123";
    QTest::newRow("blanks trimmed first") << "  123 " << 10 << "0000000123";
    QTest::newRow("already full") << "0000000123" << 10 << "0000000123";
    QTest::newRow("longer is kept") << "123456789012" << 10 << "123456789012";
    QTest::newRow("empty") << "" << 4 << "0000";
  }
  void ajusta() {
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(QString, expected);
    QCOMPARE(Ajusta(text, size), expected);
  }

  void emptyString_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("null") << QString() << true;
    QTest::newRow("blanks") << "   " << true;
    QTest::newRow("tab and newline") << "\t\n" << true;
    QTest::newRow("text") << " a " << false;
    QTest::newRow("zero") << "0" << false;
  }
  void emptyString() {
    QFETCH(QString, text);
    QFETCH(bool, empty);
    QCOMPARE(EmptyString(text), empty);
  }

  void messages() {
    const TMessages table({"Excl|Confirma exclusão?", "ORCA_N_INF|Orçamento deve ser informado.",
                           "", "PIPE|a|b", "Excl|segunda"});
    QCOMPARE(table.Msg("ORCA_N_INF"), "Orçamento deve ser informado.");
    QCOMPARE(table.Msg("PIPE"), "a|b");
    QCOMPARE(table.Msg("Excl"), "Confirma exclusão?");
    QVERIFY(table.Contains("Excl"));
    QVERIFY(!table.Contains("excl"));
    try {
      table.Msg("NOPE");
      QFAIL("an unknown key was accepted");
    } catch (const std::logic_error& error) {
      QVERIFY(QString::fromStdString(error.what()).contains("NOPE"));
    }
    TMessages other;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, other.SetLines({"sem barra"}));
  }

  void formatNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("thousands") << 1234.56 << 2 << "1.234,56";
    QTest::newRow("millions") << 1234567.891 << 2 << "1.234.567,89";
    QTest::newRow("negative") << -1234.5 << 2 << "-1.234,50";
    QTest::newRow("rounds half away") << 0.125 << 2 << "0,13";
    QTest::newRow("negative rounds to zero") << -0.001 << 2 << "0,00";
    QTest::newRow("no decimals") << 999.5 << 0 << "1.000";
    QTest::newRow("small") << 5.0 << 2 << "5,00";
  }
  void formatNumber() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(FormatNumber(value, decimals), text);
  }

  void formatDisplay_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("money") << 1234.567 << "#,##0.00" << "1.234,57";
    QTest::newRow("percent") << 12.5 << "#,##0.00 %" << "12,50 %";
    QTest::newRow("negative percent") << -3.333 << "#,##0.00 %" << "-3,33 %";
    QTest::newRow("no thousands") << 1234.5 << "0.00" << "1234,50";
    QTest::newRow("optional decimals") << 2.5 << "0.##" << "2,5";
    QTest::newRow("prefix") << 7.0 << "R$ #,##0.00" << "R$ 7,00";
    QTest::newRow("no format") << 1234.5 << "" << "1234,5";
  }
  void formatDisplay() {
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, text);
    QCOMPARE(FormatDisplay(value, format), text);
  }

  void parseNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("grouped") << "1.234,56" << true << 1234.56;
    QTest::newRow("plain") << "1234,5" << true << 1234.5;
    QTest::newRow("negative integer") << "-3" << true << -3.0;
    QTest::newRow("blank reads zero") << "  " << true << 0.0;
    QTest::newRow("only decimals") << ",5" << true << 0.5;
    QTest::newRow("millions") << "1.234.567" << true << 1234567.0;
    QTest::newRow("dot is no decimal point") << "1.5" << false << 0.0;
    QTest::newRow("bad grouping") << "12.34,5" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
  }
  void parseNumber() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> parsed = ParseNumber(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, value);
  }

  void dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("plain") << "10/03/2005" << QDate(2005, 3, 10);
    QTest::newRow("short day and month") << "1/2/2024" << QDate(2024, 2, 1);
    QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "29/02/2023" << QDate();
    QTest::newRow("month 13") << "01/13/2024" << QDate();
    QTest::newRow("two-digit year") << "01/01/24" << QDate();
    QTest::newRow("not a date") << "amanhã" << QDate();
  }
  void dates() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const std::optional<QDate> parsed = ParseDate(text);
    QCOMPARE(parsed.value_or(QDate()), date);
    if (date.isValid()) QCOMPARE(ParseDate(FormatDate(date)).value_or(QDate()), date);
  }

  void dateValues_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<double>("value");
    QTest::newRow("origin") << QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC) << 0.0;
    QTest::newRow("day with time") << QDateTime(QDate(2005, 3, 10), QTime(18, 0), Qt::UTC)
                                   << 38421.75;
    QTest::newRow("before the origin") << QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)
                                       << -1.25;
    QTest::newRow("first day") << QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC) << -693593.0;
    QTest::newRow("end of the first day")
        << QDateTime(QDate(1, 1, 1), QTime(23, 59, 59, 999), Qt::UTC)
        << -693593.0 - 86399999.0 / 86400000;
    QTest::newRow("last moment") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC)
                                 << 2958465.0 + 86399999.0 / 86400000;
  }
  void dateValues() {
    QFETCH(QDateTime, when);
    QFETCH(double, value);
    QCOMPARE(ToDateValue(when), value);
    QCOMPARE(FromDateValue(value), when);
    QCOMPARE(FormatDateTime(when), when.toString("dd/MM/yyyy HH:mm"));
  }

  // Numbers of days that no calendar day matches read as the nearest end of the calendar.
  void dateValuesBeyondTheCalendar_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QDateTime>("when");
    const QDateTime first(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime last(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC);
    QTest::newRow("the day after the last") << 2958466.0 << last;
    QTest::newRow("rounds into the day after") << 2958465.9999999999 << last;
    QTest::newRow("past any integer") << 1e300 << last;
    QTest::newRow("infinity") << qInf() << last;
    QTest::newRow("the day before the first") << -693594.0 << first;
    QTest::newRow("far before") << -1e300 << first;
    QTest::newRow("minus infinity") << -qInf() << first;
  }
  void dateValuesBeyondTheCalendar() {
    QFETCH(double, value);
    QFETCH(QDateTime, when);
    QCOMPARE(FromDateValue(value), when);
  }
};

QTEST_GUILESS_MAIN(TestFramework)
#include "tst_framework.moc"
