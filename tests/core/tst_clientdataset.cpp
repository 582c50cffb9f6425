// SPDX-License-Identifier: MIT
// The client data set: the row insertion rule, Locate, Null reads, text cut, edit rules,
// calculated fields, and the gap buffer kept honest against a plain list.
#include <QRandomGenerator>
#include <QtTest>

#include "clientdataset.h"

using namespace margem;

namespace {

void DefineFields(TClientDataSet& cds) {
  cds.AddField("CODE", FieldType::String, 10);
  cds.AddField("NAME", FieldType::String, 5);
  cds.AddField("VALUE", FieldType::Float);
  cds.AddField("WHEN", FieldType::DateTime);
}

QStringList Codes(const TClientDataSet& cds) {
  QStringList codes;
  for (qsizetype row = 0; row < cds.RecordCount(); ++row) codes << cds.ValueAt(row, 0).toString();
  return codes;
}

void AddRow(TClientDataSet& cds, bool insert, const QString& code) {
  insert ? cds.Insert() : cds.Append();
  cds.FieldByName("CODE")->SetAsString(code);
  cds.Post();
}

// Runs a script of steps: iX insert X, aX append X, eX edit the current row's code to X,
// F first, N next, L last.
void RunScript(TClientDataSet& cds, const QString& script) {
  for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
    const QChar op = step[0];
    const QString arg = step.mid(1);
    if (op == 'i' || op == 'a') {
      AddRow(cds, op == 'i', arg);
    } else if (op == 'e') {
      cds.Edit();
      cds.FieldByName("CODE")->SetAsString(arg);
      cds.Post();
    } else if (op == 'F') {
      cds.First();
    } else if (op == 'N') {
      cds.Next();
    } else if (op == 'L') {
      cds.Last();
    }
  }
}

}  // namespace

class TestClientDataSet : public QObject {
  Q_OBJECT

 private slots:
  void rowOrder_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("current");
    QTest::newRow("insert into an empty set") << "iA" << "A" << "A";
    QTest::newRow("each insert before the one posted just before") << "iA iB iC" << "C,B,A" << "C";
    QTest::newRow("appends keep their order") << "aA aB aC" << "A,B,C" << "C";
    QTest::newRow("insert before an appended row") << "aA aB iC" << "A,C,B" << "C";
    QTest::newRow("append after inserts goes last") << "iA iB aC" << "B,A,C" << "C";
    QTest::newRow("insert after a pass to the end") << "aA aB aC F N N N iX" << "A,B,X,C" << "X";
    QTest::newRow("insert after Last") << "aA aB aC L iX" << "A,B,X,C" << "X";
    QTest::newRow("insert at the first row") << "aA aB aC F iX" << "X,A,B,C" << "X";
    QTest::newRow("an edited row does not move") << "aA aB aC F N eZ" << "A,Z,C" << "Z";
    QTest::newRow("insert, then insert at the first") << "iA iB F N iC" << "B,C,A" << "C";
  }
  void rowOrder() {
    QFETCH(QString, script);
    QFETCH(QString, order);
    QFETCH(QString, current);
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, script);
    QCOMPARE(Codes(cds).join(','), order);
    QCOMPARE(cds.FieldByName("CODE")->AsString(), current);
    QCOMPARE(cds.state(), TClientDataSet::dsBrowse);
  }

  // Many inserts at a moving cursor, appends and edits, checked against a plain list: the gap
  // buffer must keep every row where the rule puts it.
  void gapBufferMatchesPlainList() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    QStringList expected;
    qsizetype cursor = -1;
    QRandomGenerator random(20260815);
    for (int i = 0; i < 3000; ++i) {
      const QString code = QString::number(i);
      const quint32 dice = random.bounded(10);
      if (dice < 5) {
        const qsizetype at = expected.isEmpty() ? 0 : cursor;
        AddRow(cds, true, code);
        expected.insert(at, code);
        cursor = at;
      } else if (dice < 7) {
        AddRow(cds, false, code);
        expected.append(code);
        cursor = expected.size() - 1;
      } else if (dice < 9) {
        cursor = random.bounded(int(expected.size()) + 1) - 1;
        if (cursor < 0) cursor = 0;
        if (!expected.isEmpty()) cds.MoveTo(cursor);
      } else if (!expected.isEmpty()) {
        cds.Edit();
        cds.FieldByName("CODE")->SetAsString("e" + code);
        cds.Post();
        expected[cursor] = "e" + code;
      }
    }
    QCOMPARE(Codes(cds), expected);
    QCOMPARE(cds.RecNo(), cursor);
  }

  // Sets of several megabytes grow by remapping pages, in front of the rows when the cursor is in
  // the first half: the order must come out the same.
  void largeSetsKeepTheOrder() {
    TClientDataSet cds("cdsTeste");
    cds.AddField("CODE", FieldType::String, 10);
    for (int i = 0; i < 15; ++i) cds.AddField(QString("F%1").arg(i), FieldType::Float);
    cds.CreateDataSet();
    QStringList expected;
    qsizetype cursor = 0;
    auto add = [&](bool insert, int i) {
      const QString code = QString::number(i);
      AddRow(cds, insert, code);
      cursor = insert ? cursor : expected.size();
      expected.insert(cursor, code);
    };
    int next = 0;
    for (int i = 0; i < 9000; ++i) add(true, next++);
    cds.Last();
    cursor = expected.size() - 1;
    for (int i = 0; i < 6000; ++i) add(true, next++);
    cursor = expected.size() / 3;
    cds.MoveTo(cursor);
    for (int i = 0; i < 6000; ++i) add(true, next++);
    for (int i = 0; i < 6000; ++i) add(false, next++);
    cds.First();
    cursor = 0;
    for (int i = 0; i < 9000; ++i) add(true, next++);
    QCOMPARE(cds.RecordCount(), expected.size());
    QCOMPARE(Codes(cds), expected);
    QCOMPARE(cds.RecNo(), cursor);
  }

  void textSurvivesManyEdits() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    for (int i = 0; i < 50; ++i) AddRow(cds, false, QString("r%1").arg(i));
    for (int round = 0; round < 400; ++round) {
      for (int row = 0; row < 50; ++row) {
        cds.MoveTo(row);
        cds.Edit();
        cds.FieldByName("CODE")->SetAsString(QString("%1-%2").arg(row).arg(round));
        cds.FieldByName("NAME")->SetAsString(QString("n%1").arg(row));
        cds.Post();
      }
    }
    for (int row = 0; row < 50; ++row) {
      QCOMPARE(cds.ValueAt(row, 0).toString(), QString("%1-399").arg(row));
      QCOMPARE(cds.ValueAt(row, 1).toString(), QString("n%1").arg(row));
    }
  }

  void locate_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("expectedRow");  // -1: not found
    QTest::newRow("one key") << "CODE" << QVariantList{"B1"} << 2;
    QTest::newRow("two keys") << "CODE;NAME" << QVariantList{"A1", "y"} << 1;
    QTest::newRow("letter case ignored") << "code;name" << QVariantList{"a1", "Y"} << 1;
    QTest::newRow("float key") << "VALUE" << QVariantList{3.5} << 2;
    QTest::newRow("float key as pt_BR text") << "VALUE" << QVariantList{"3,5"} << 2;
    QTest::newRow("null text equals empty") << "NAME" << QVariantList{""} << 3;
    QTest::newRow("null float") << "VALUE" << QVariantList{QVariant()} << 3;
    QTest::newRow("first of several") << "CODE" << QVariantList{"A1"} << 0;
    QTest::newRow("no match of the pair") << "CODE;NAME" << QVariantList{"B1", "x"} << -1;
    QTest::newRow("absent value") << "CODE" << QVariantList{"Z9"} << -1;
  }
  void locate() {
    QFETCH(QString, keys);
    QFETCH(QVariantList, values);
    QFETCH(int, expectedRow);
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    const QList<std::tuple<QString, QString, QVariant>> rows = {
        {"A1", "x", 1.0}, {"A1", "y", 2.0}, {"B1", "z", 3.5}, {"C1", QString(), QVariant()}};
    for (const auto& [code, name, value] : rows) {
      cds.Append();
      cds.FieldByName("CODE")->SetAsString(code);
      if (!name.isNull()) cds.FieldByName("NAME")->SetAsString(name);
      cds.FieldByName("VALUE")->SetValue(value);
      cds.Post();
    }
    cds.MoveTo(1);
    const bool found = cds.Locate(keys, values);
    QCOMPARE(found, expectedRow >= 0);
    QCOMPARE(cds.RecNo(), expectedRow >= 0 ? qsizetype(expectedRow) : qsizetype(1));
  }

  void locateAfterPassKeepsEof() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, "aA aB F N N");
    QVERIFY(cds.Eof());
    QVERIFY(!cds.Locate("CODE", {"Q"}));
    QVERIFY(cds.Eof());
    QCOMPARE(cds.RecNo(), 1);
  }

  void locateWithUnknownFieldRaises() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.Locate("NOPE", {"x"}));
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.Locate("CODE;NAME", {"x"}));
  }

  void nullReads() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    cds.Append();
    cds.Post();
    for (const char* name : {"CODE", "NAME", "VALUE", "WHEN"}) {
      TField* field = cds.FieldByName(name);
      QVERIFY(field->IsNull());
      QCOMPARE(field->AsString(), QString());
      QCOMPARE(field->AsFloat(), 0.0);
      QCOMPARE(field->DisplayText(), QString());
      QVERIFY(!field->Value().isValid());
    }
    QVERIFY(!cds.FieldByName("WHEN")->AsDateTime().isValid());
    QVERIFY(!cds.ValueAt(0, 2).isValid());
  }

  void closedAndEmptySetsReadNull() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    QVERIFY(cds.Eof());
    QVERIFY(cds.IsEmpty());
    QCOMPARE(cds.RecordCount(), 0);
    QCOMPARE(cds.FieldByName("VALUE")->AsFloat(), 0.0);
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.First());
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.Insert());
    cds.CreateDataSet();
    cds.First();
    QVERIFY(cds.Eof());
    QCOMPARE(cds.FieldByName("CODE")->AsString(), QString());
  }

  void textCut_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("shorter") << "abc" << "abc";
    QTest::newRow("exact") << "abcde" << "abcde";
    QTest::newRow("longer") << "abcdefgh" << "abcde";
    QTest::newRow("accents count as one") << "ÇÃOÉÍÓ" << "ÇÃOÉÍ";
    QTest::newRow("surrogate pairs count as one") << "😀😀😀😀😀😀" << "😀😀😀😀😀";
    QTest::newRow("empty") << "" << "";
  }
  void textCut() {
    QFETCH(QString, value);
    QFETCH(QString, stored);
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    cds.Append();
    cds.FieldByName("NAME")->SetAsString(value);
    QCOMPARE(cds.FieldByName("NAME")->AsString(), stored);
    cds.Post();
    QCOMPARE(cds.FieldByName("NAME")->AsString(), stored);
    QVERIFY(!cds.FieldByName("NAME")->IsNull());
  }

  void fieldByNameIgnoresCase() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    QCOMPARE(cds.FieldByName("code"), cds.FieldByName("CODE"));
    QCOMPARE(cds.FindField("Value")->Index(), 2);
    QVERIFY(!cds.FindField("VALOR"));
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.FieldByName("VALOR"));
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.AddField("code", FieldType::String, 3));
    QCOMPARE(cds.AddField("PLAIN", FieldType::String)->Size(), 20);
  }

  void writesNeedEditOrInsert() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, "aA");
    try {
      cds.FieldByName("CODE")->SetAsString("B");
      QFAIL("a write in browse state was accepted");
    } catch (const DataSetError& error) {
      QVERIFY(QString::fromStdString(error.what()).contains("cdsTeste"));
      QVERIFY(QString::fromStdString(error.what()).contains("CODE"));
    }
    QCOMPARE(cds.FieldByName("CODE")->AsString(), "A");
  }

  void conversions() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    cds.Append();
    cds.FieldByName("VALUE")->SetAsString("1.234,5");
    QCOMPARE(cds.FieldByName("VALUE")->AsFloat(), 1234.5);
    QCOMPARE(cds.FieldByName("VALUE")->AsString(), "1234,5");
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.FieldByName("VALUE")->SetAsString("doze"));
    cds.FieldByName("VALUE")->SetAsString("  ");
    QVERIFY(cds.FieldByName("VALUE")->IsNull());
    cds.FieldByName("WHEN")->SetAsString("10/03/2005 20:00");
    QCOMPARE(cds.FieldByName("WHEN")->AsDateTime(),
             QDateTime(QDate(2005, 3, 10), QTime(20, 0), Qt::UTC));
    QCOMPARE(cds.FieldByName("WHEN")->AsString(), "10/03/2005 20:00:00");
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.FieldByName("WHEN")->SetAsString("31/02/2005"));
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.FieldByName("VALUE")->SetAsFloat(qInf()));
    cds.FieldByName("CODE")->SetAsFloat(2.5);
    QCOMPARE(cds.FieldByName("CODE")->AsString(), "2,5");
    cds.FieldByName("CODE")->SetValue(QVariant());
    QVERIFY(cds.FieldByName("CODE")->IsNull());
  }

  // A date field takes the days of the calendar, 01/01/0001 to 31/12/9999, however the value
  // comes; anything else is refused and the field keeps what it held.
  void dateFieldRange_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QDateTime>("stored");
    const QDateTime refused;
    QTest::newRow("first day") << QVariant(-693593.5)
                               << QDateTime(QDate(1, 1, 1), QTime(12, 0), Qt::UTC);
    QTest::newRow("last day") << QVariant(2958465.5)
                              << QDateTime(QDate(9999, 12, 31), QTime(12, 0), Qt::UTC);
    QTest::newRow("day after the last") << QVariant(2958466.0) << refused;
    QTest::newRow("day before the first") << QVariant(-693594.0) << refused;
    QTest::newRow("past any integer") << QVariant(1e300) << refused;
    QTest::newRow("far before") << QVariant(-1e300) << refused;
    QTest::newRow("date after 9999")
        << QVariant(QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC)) << refused;
    QTest::newRow("date before year 1")
        << QVariant(QDateTime(QDate(-1, 12, 31), QTime(0, 0), Qt::UTC)) << refused;
  }
  void dateFieldRange() {
    QFETCH(QVariant, value);
    QFETCH(QDateTime, stored);
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    cds.Append();
    TField* when = cds.FieldByName("WHEN");
    const QDateTime before(QDate(2005, 3, 10), QTime(20, 0), Qt::UTC);
    when->SetAsDateTime(before);
    if (stored.isValid()) {
      when->SetValue(value);
      QCOMPARE(when->AsDateTime(), stored);
      return;
    }
    try {
      when->SetValue(value);
      QFAIL("a value outside the calendar was taken");
    } catch (const DataSetError& error) {
      const QString message = QString::fromStdString(error.what());
      QVERIFY2(message.contains("WHEN") && message.contains("31/12/9999"), qPrintable(message));
    }
    QCOMPARE(when->AsDateTime(), before);
    if (value.typeId() == QMetaType::Double) {
      QVERIFY_THROWS_EXCEPTION(DataSetError, when->SetAsFloat(value.toDouble()));
    }
  }

  void cancelDropsThePendingRow() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, "aA aB");
    cds.Insert();
    cds.FieldByName("CODE")->SetAsString("X");
    cds.Cancel();
    QCOMPARE(Codes(cds).join(','), "A,B");
    cds.Edit();
    cds.FieldByName("CODE")->SetAsString("X");
    QCOMPARE(cds.FieldByName("CODE")->AsString(), "X");
    cds.Cancel();
    QCOMPARE(Codes(cds).join(','), "A,B");
    QCOMPARE(cds.state(), TClientDataSet::dsBrowse);
  }

  void navigationPostsThePendingRow() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, "aA aB");
    cds.Edit();
    cds.FieldByName("CODE")->SetAsString("X");
    cds.First();
    QCOMPARE(Codes(cds).join(','), "A,X");
  }

  void editOnEmptySetStartsAnInsert() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    cds.Edit();
    QCOMPARE(cds.state(), TClientDataSet::dsInsert);
    cds.FieldByName("CODE")->SetAsString("A");
    cds.Post();
    QCOMPARE(Codes(cds).join(','), "A");
  }

  void emptyAndClose() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    cds.CreateDataSet();
    RunScript(cds, "aA aB");
    cds.EmptyDataSet();
    QVERIFY(cds.IsEmpty());
    QVERIFY(cds.Active());
    RunScript(cds, "iC");
    QCOMPARE(Codes(cds).join(','), "C");
    cds.Close();
    QVERIFY(!cds.Active());
    QCOMPARE(cds.state(), TClientDataSet::dsInactive);
    QVERIFY_THROWS_EXCEPTION(DataSetError, cds.EmptyDataSet());
  }

  void calculatedFieldsOnPost() {
    TClientDataSet cds("cdsTeste");
    DefineFields(cds);
    TField* shown = cds.AddField("SHOWN", FieldType::String, 12);
    shown->Calculated = true;
    cds.OnCalcFields = [](TClientDataSet& set) {
      const QString name = set.FieldByName("NAME")->AsString();
      set.FieldByName("SHOWN")->SetAsString(name.isEmpty() ? set.FieldByName("CODE")->AsString()
                                                           : name);
    };
    cds.CreateDataSet();
    RunScript(cds, "aA aB");
    QCOMPARE(cds.ValueAt(0, shown->Index()).toString(), "A");
    cds.Edit();
    cds.FieldByName("NAME")->SetAsString("nome");
    QVERIFY_THROWS_EXCEPTION(DataSetError, shown->SetAsString("direto"));
    cds.Post();
    QCOMPARE(shown->AsString(), "nome");
    QCOMPARE(cds.ValueAt(0, shown->Index()).toString(), "A");
  }
};

QTEST_GUILESS_MAIN(TestClientDataSet)
#include "tst_clientdataset.moc"
