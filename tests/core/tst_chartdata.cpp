// SPDX-License-Identifier: MIT
// The figures behind the margin charts: the group chart's rows, the per-option means, the period
// mean and where each bar lands.
#include <QtTest>
#include <bit>

#include "chartdata.h"

using namespace margem;

namespace {

const QString kQuote = QStringLiteral("0000000123");
const QString kOption = QStringLiteral("Opção");
const QString kMean = QStringLiteral("Média");

// A margin row. With a total of 100 and only a materials percentage, its profit percentage is
// 100 minus that percentage.
struct MarginRow {
  QString option;
  QString subgroup;
  double total = 100;
  double materialPct = 0;
  double otherPct = 0;
  double expensePct = 0;
  double servicePct = 0;  // the row's own quote's service expense, for period rows
};

MarginRow Earning(const QString& option, const QString& subgroup, double pct) {
  return MarginRow{option, subgroup, 100, 100 - pct};
}

void Append(TClientDataSet& set, const MarginRow& row) {
  set.Append();
  set.FieldByName("CDFILIAL")->SetAsString("0001");
  set.FieldByName("NRORCAEVENTO")->SetAsString(kQuote);
  set.FieldByName("NROPCAITOREV")->SetAsString(row.option);
  set.FieldByName("NMSUBGRPROD")->SetAsString(row.subgroup);
  set.FieldByName("VRTOTALITEM")->SetAsFloat(row.total);
  set.FieldByName("VRPEIMDEVAVEMP")->SetAsFloat(row.materialPct);
  set.FieldByName("VRPEIMDEVAVEOU")->SetAsFloat(row.otherPct);
  set.FieldByName("VRPEDESFIXASBGR")->SetAsFloat(row.expensePct);
  if (TField* service = set.FindField("VRPEDESFIXASERV")) service->SetAsFloat(row.servicePct);
  set.Post();
}

QStringList Texts(const TClientDataSet& set, const char* field) {
  QStringList texts;
  const int index = set.FieldByName(field)->Index();
  for (qsizetype row = 0; row < set.RecordCount(); ++row) {
    texts << set.ValueAt(row, index).toString();
  }
  return texts;
}

QList<double> Values(const TClientDataSet& set, const char* field) {
  QList<double> values;
  const int index = set.FieldByName(field)->Index();
  for (qsizetype row = 0; row < set.RecordCount(); ++row) {
    values << set.ValueAt(row, index).toDouble();
  }
  return values;
}

QString Label(const QString& option) { return kQuote + u' ' + kOption + u' ' + option; }

// The working sets of the chart-data screen, open and empty.
struct ChartSets {
  ChartSets() {
    DefineMarginRowFields(orcamento);
    DefinePercLucrGrupFields(percLucrGrup);
    DefineMediaOrcaFields(mediaOrca);
    DefineValorOpcFields(valorOpc);
    DefineAuxMediaOrcaFields(auxMediaOrca);
    DefineMarTLucFields(marTLuc);
    DefinePercTLucFields(percTLuc);
    for (TClientDataSet* set :
         {&orcamento, &percLucrGrup, &mediaOrca, &valorOpc, &auxMediaOrca, &marTLuc, &percTLuc}) {
      set->CreateDataSet();
    }
  }
  ChartDataSets all() {
    return {&orcamento, &percLucrGrup, &mediaOrca, &valorOpc, &auxMediaOrca, &marTLuc, &percTLuc};
  }
  void Quote(const QList<MarginRow>& rows) {
    for (const MarginRow& row : rows) Append(orcamento, row);
  }
  void Period(const QList<MarginRow>& rows) {
    for (const MarginRow& row : rows) Append(marTLuc, row);
  }
  // The comparison chart's whole computation with a period whose mean is `periodPct`.
  void Compare(double periodPct) {
    Period({Earning("01", "P", periodPct)});
    CalculaLucro(all(), 0, true, kOption);
    ExcluiRegistro(all());
    QVERIFY(CalculaTLucro(all(), kMean));
  }

  TClientDataSet orcamento, percLucrGrup, mediaOrca, valorOpc, auxMediaOrca, marTLuc, percTLuc;
};

// A quote with a row of no option, two rows each for options 1 and 2 and one for option 3.
const QList<MarginRow> kThreeOptions{Earning("", "X", 10),   Earning("01", "A", 30),
                                     Earning("01", "B", 40), Earning("02", "C", 50),
                                     Earning("02", "D", 60), Earning("03", "E", 70)};

// The bit pattern of a double, so that a comparison sees the last bit.
qint64 Bits(double value) { return std::bit_cast<qint64>(value); }

void CompareValues(const QList<double>& actual, const QList<double>& expected) {
  QCOMPARE(actual.size(), expected.size());
  for (qsizetype i = 0; i < actual.size(); ++i) QCOMPARE(actual.at(i), expected.at(i));
}

}  // namespace

Q_DECLARE_METATYPE(MarginRow)
Q_DECLARE_METATYPE(QList<MarginRow>)

class TestChartData : public QObject {
  Q_OBJECT

 private slots:
  void groupChartRowsRunAgainstTheQuotesOrder() {
    ChartSets sets;
    sets.Quote(kThreeOptions);
    CalculaLucro(sets.all(), 20, false, kOption);
    QCOMPARE(
        Texts(sets.percLucrGrup, "NMSUBGRPROD"),
        (QStringList{"E Opção 03", "D Opção 02", "C Opção 02", "B Opção 01", "A Opção 01", "X"}));
    QCOMPARE(Values(sets.percLucrGrup, "VRPELUCRO"), (QList<double>{70, 60, 50, 40, 30, 10}));
    QVERIFY(sets.mediaOrca.IsEmpty());
    QVERIFY(sets.valorOpc.IsEmpty());
  }

  // Materials, other costs and the subgroup's expense share counted at the quote's service rate.
  void groupChartProfitOfARow_data() {
    QTest::addColumn<MarginRow>("row");
    QTest::addColumn<double>("profit");
    QTest::addColumn<double>("pct");
    QTest::newRow("costs and expenses") << MarginRow{"01", "S", 200, 30, 10, 50} << 100.0 << 50.0;
    QTest::newRow("no sale value") << MarginRow{"01", "S", 0, 30, 10, 50} << 0.0 << 0.0;
    QTest::newRow("negative sale value") << MarginRow{"01", "S", -200, 30, 10, 50} << -100.0 << 0.0;
  }
  void groupChartProfitOfARow() {
    QFETCH(MarginRow, row);
    ChartSets sets;
    sets.Quote({row});
    CalculaLucro(sets.all(), 20, false, kOption);
    QTEST(Values(sets.percLucrGrup, "VRLUCRO").value(0), "profit");
    QTEST(Values(sets.percLucrGrup, "VRPELUCRO").value(0), "pct");
  }

  // A row's profit and percentage are worked out at extended precision and rounded to a double
  // only when stored; on this row a double product before the division changes the last bit.
  void rowFiguresKeepExtendedPrecision_data() {
    QTest::addColumn<bool>("period");
    QTest::newRow("group chart") << false;
    QTest::newRow("period mean") << true;
  }
  void rowFiguresKeepExtendedPrecision() {
    QFETCH(bool, period);
    using Extended = long double;
    const MarginRow row{"01", "A", 2979.76, 30, 10, 50, 20};
    ChartSets sets;
    if (period) {
      sets.Period({row});
      QVERIFY(CalculaTLucro(sets.all(), kMean));
    } else {
      sets.Quote({row});
      CalculaLucro(sets.all(), 20, false, kOption);
    }
    const TClientDataSet& out = period ? sets.percTLuc : sets.percLucrGrup;
    const Extended t = row.total;
    const Extended d = 20 * (50 * t / 100) / 100;
    const double profit = Values(out, "VRLUCRO").value(0);
    QCOMPARE(Bits(profit), Bits(static_cast<double>(t - 30 * t / 100 - 10 * t / 100 - d)));
    QCOMPARE(Bits(Values(out, "VRPELUCRO").value(0)),
             Bits(static_cast<double>(Extended(profit) * 100 / t)));
  }

  void labelsOfTheGroupChart_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("subgroup");
    QTest::addColumn<QString>("label");
    QTest::newRow("option row") << "01"
                                << "SALGADOS"
                                << "SALGADOS Opção 01";
    QTest::newRow("row of no option") << ""
                                      << "SALGADOS"
                                      << "SALGADOS";
    QTest::newRow("cut to 40 characters") << "01"
                                          << "SALGADOS FRIOS E QUENTES DA CASA - ÁGUAS"
                                          << "SALGADOS FRIOS E QUENTES DA CASA - ÁGUAS";
  }
  void labelsOfTheGroupChart() {
    QFETCH(QString, option);
    QFETCH(QString, subgroup);
    ChartSets sets;
    sets.Quote({Earning(option, subgroup, 20)});
    CalculaLucro(sets.all(), 0, true, kOption);
    QTEST(Texts(sets.percLucrGrup, "NMSUBGRPROD").value(0), "label");
  }

  void optionMeansTakeInTheSharedRows() {
    ChartSets sets;
    sets.Quote({Earning("", "A", 10), Earning("", "B", 20), Earning("01", "C", 30),
                Earning("01", "D", 40), Earning("02", "E", 50)});
    CalculaLucro(sets.all(), 0, true, kOption);
    QCOMPARE(Texts(sets.mediaOrca, "NMORCAMENTO"),
             (QStringList{Label("02"), Label("01"), Label("01"), kQuote, kQuote}));
    CompareValues(Values(sets.mediaOrca, "VRLUCOPC"), {80.0 / 3, 25, 25, 15, 15});

    ExcluiRegistro(sets.all());
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"), (QStringList{Label("01"), Label("02")}));
    CompareValues(Values(sets.auxMediaOrca, "VRLUCOPC"), {25, 80.0 / 3});
    QCOMPARE(Texts(sets.auxMediaOrca, "OPCAO"), (QStringList{"1", "2"}));
  }

  void comparisonBarsAroundThePeriodMean() {
    ChartSets sets;
    sets.Quote(kThreeOptions);
    sets.Compare(55);
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"),
             (QStringList{Label("02"), Label("01"), kMean, Label("03")}));
    CompareValues(Values(sets.auxMediaOrca, "VRLUCOPC"), {40, 80.0 / 3, 55, 40});
    QCOMPARE(Texts(sets.auxMediaOrca, "OPCAO"), (QStringList{"2", "1", "", "3"}));
  }

  void periodMeanComesFirst_data() {
    QTest::addColumn<QList<MarginRow>>("rows");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<double>("value");
    QTest::newRow("quote without options")
        << QList{Earning("", "A", 10), Earning("", "B", 20)} << kQuote << 15.0;
    QTest::newRow("single option")
        << QList{Earning("01", "A", 30), Earning("01", "B", 40)} << Label("01") << 35.0;
    QTest::newRow("quote without rows") << QList<MarginRow>{} << QString() << 0.0;
  }
  void periodMeanComesFirst() {
    QFETCH(QList<MarginRow>, rows);
    QFETCH(QString, bar);
    QFETCH(double, value);
    ChartSets sets;
    sets.Quote(rows);
    sets.Compare(55);
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"), (QStringList{kMean, bar}));
    CompareValues(Values(sets.auxMediaOrca, "VRLUCOPC"), {55, value});
  }

  // Options past 10 are not averaged: the first of their rows met gives the bar as it is.
  void optionNumbersAboveTen() {
    ChartSets sets;
    sets.Quote({Earning("", "A", 10), Earning("11", "B", 30), Earning("11", "C", 50),
                Earning("01", "D", 40)});
    CalculaLucro(sets.all(), 0, true, kOption);
    QCOMPARE(Texts(sets.mediaOrca, "NMORCAMENTO"),
             (QStringList{Label("01"), Label("11"), Label("11"), kQuote}));
    CompareValues(Values(sets.mediaOrca, "VRLUCOPC"), {25, 50, 30, 10});
    ExcluiRegistro(sets.all());
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"), (QStringList{Label("11"), Label("01")}));
    CompareValues(Values(sets.auxMediaOrca, "VRLUCOPC"), {50, 25});
  }

  void optionTotalsCountOnlyOptionsOneToTen() {
    ChartSets sets;
    ValorOpcao(sets.valorOpc, 0, 5);
    ValorOpcao(sets.valorOpc, 10, 30);
    ValorOpcao(sets.valorOpc, 11, 7);
    ValorOpcao(sets.valorOpc, 10, 12.5);
    QCOMPARE(sets.valorOpc.RecordCount(), 1);
    const QList<double> row = Values(sets.valorOpc, "VROPC10");
    QCOMPARE(row, (QList<double>{42.5}));
    QCOMPARE(Values(sets.valorOpc, "OPCAO10"), (QList<double>{2}));
    double others = 0;
    for (int n = 1; n <= 9; ++n) {
      others += sets.valorOpc.FieldByName(QStringLiteral("VROPC%1").arg(n))->AsFloat();
      others += sets.valorOpc.FieldByName(QStringLiteral("OPCAO%1").arg(n))->AsFloat();
    }
    QCOMPARE(others, 0.0);
  }

  // The sum of an option is kept as a double but each addition is taken at extended precision:
  // 1 + (2^-53 + 2^-105) lies just past half a unit of 1's last place, which a double addition
  // rounds up, while the extended sum first drops the 2^-105 and then rounds the half to even.
  void optionSumsAddAtExtendedPrecision() {
    using Extended = long double;
    ChartSets sets;
    const double justOverHalf = 0x1.0000000000001p-53;
    ValorOpcao(sets.valorOpc, 1, 1.0);
    ValorOpcao(sets.valorOpc, 1, justOverHalf);
    QCOMPARE(Bits(Values(sets.valorOpc, "VROPC1").value(0)),
             Bits(static_cast<double>(Extended(1.0) + justOverHalf)));
  }

  void periodMean_data() {
    QTest::addColumn<QList<MarginRow>>("rows");
    QTest::addColumn<double>("mean");
    QTest::newRow("one row") << QList{MarginRow{"01", "A", 200, 30, 10, 50, 20}} << 50.0;
    QTest::newRow("no sale value counts as 0 %")
        << QList{Earning("01", "A", 40), MarginRow{"01", "B", 0, 10}} << 20.0;
    QTest::newRow("negative sale value counts as 0 %")
        << QList{Earning("01", "A", 40), MarginRow{"01", "B", -100, 10}} << 20.0;
    QTest::newRow("each quote's own service expense")
        << QList{MarginRow{"01", "A", 100, 0, 0, 50, 20}, MarginRow{"02", "B", 100, 0, 0, 50, 40}}
        << 85.0;
  }
  void periodMean() {
    QFETCH(QList<MarginRow>, rows);
    ChartSets sets;
    sets.Period(rows);
    ExcluiRegistro(sets.all());
    QVERIFY(CalculaTLucro(sets.all(), kMean));
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"), (QStringList{kMean, QString()}));
    QTEST(Values(sets.auxMediaOrca, "VRLUCOPC").value(0), "mean");
  }

  void emptyPeriodAddsNoBar() {
    ChartSets sets;
    sets.Quote({Earning("01", "A", 30)});
    CalculaLucro(sets.all(), 0, true, kOption);
    ExcluiRegistro(sets.all());
    QVERIFY(!CalculaTLucro(sets.all(), kMean));
    QCOMPARE(Texts(sets.auxMediaOrca, "NMORCAMENTO"), (QStringList{Label("01")}));
  }

  void periodScratchRowsServeOneRun() {
    ChartSets sets;
    sets.Period({Earning("01", "A", 30), Earning("02", "B", 50)});
    QVERIFY(CalculaTLucro(sets.all(), kMean));
    QVERIFY(CalculaTLucro(sets.all(), kMean));
    QCOMPARE(Texts(sets.percTLuc, "NMSUBGRPROD"), (QStringList{kMean, kMean}));
    QCOMPARE(Values(sets.percTLuc, "VRPELUCRO"), (QList<double>{50, 30}));
  }

  void optionNumberMustBeDigits_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("named");
    QTest::newRow("letter first") << "A1"
                                  << "A1";
    QTest::newRow("letter last") << "1A"
                                 << "1A";
    QTest::newRow("sign") << "-1"
                          << "-1";
    QTest::newRow("trailing blank") << "1 "
                                    << "1 ";
  }
  void optionNumberMustBeDigits() {
    QFETCH(QString, option);
    QFETCH(QString, named);
    ChartSets sets;
    sets.Quote({Earning("01", "A", 30), Earning(option, "B", 40)});
    try {
      CalculaLucro(sets.all(), 0, true, kOption);
      QFAIL("the option number was taken");
    } catch (const OptionNumberError& error) {
      QCOMPARE(QString::fromStdString(error.what()),
               QStringLiteral("Número de opção inválido: \"%1\".").arg(named));
    }
    QCOMPARE(sets.percLucrGrup.state(), TClientDataSet::dsBrowse);
    QCOMPARE(sets.mediaOrca.state(), TClientDataSet::dsBrowse);

    ChartSets group;
    group.Quote({Earning(option, "B", 40)});
    CalculaLucro(group.all(), 0, false, kOption);
    QCOMPARE(Texts(group.percLucrGrup, "NMSUBGRPROD"), (QStringList{"B Opção " + option}));
  }

  void optionNumberAfterLeadingBlanks() {
    ChartSets sets;
    sets.Quote({Earning(" 2", "A", 30)});
    CalculaLucro(sets.all(), 0, true, kOption);
    QCOMPARE(Texts(sets.mediaOrca, "NMORCAMENTO"), (QStringList{Label("02")}));
  }

  void labelWhoseOptionPartIsNotDigits() {
    ChartSets sets;
    sets.mediaOrca.Append();
    sets.mediaOrca.FieldByName("NMORCAMENTO")->SetAsString(Label("X1"));
    sets.mediaOrca.Post();
    QVERIFY_THROWS_EXCEPTION(OptionNumberError, ExcluiRegistro(sets.all()));
    QVERIFY(sets.auxMediaOrca.IsEmpty());
  }

  void fieldListsOfTheChartSets() {
    ChartSets sets;
    QCOMPARE(sets.orcamento.FieldCount(), 15);
    QCOMPARE(sets.percLucrGrup.FieldNames().mid(15), (QStringList{"VRPELUCRO", "VRLUCRO"}));
    QCOMPARE(sets.percLucrGrup.FieldByName("VRPELUCRO")->DisplayLabel, QStringLiteral("% Lucro"));
    QCOMPARE(sets.percLucrGrup.FieldByName("VRLUCRO")->DisplayFormat, QStringLiteral("#,##0.00"));
    QCOMPARE(sets.orcamento.FieldByName("VRPEIMDEVAVEOU")->DisplayLabel,
             QStringLiteral("% IDVV Outros"));
    QCOMPARE(sets.marTLuc.FieldNames().last(), QStringLiteral("VRPEDESFIXASERV"));
    QCOMPARE(sets.valorOpc.FieldNames().first(), QStringLiteral("VROPC1"));
    QCOMPARE(sets.valorOpc.FieldNames().at(10), QStringLiteral("OPCAO1"));
    QCOMPARE(sets.auxMediaOrca.FieldNames(), (QStringList{"NMORCAMENTO", "VRLUCOPC", "OPCAO"}));
    QCOMPARE(sets.auxMediaOrca.FieldByName("OPCAO")->Size(), 3);
    QCOMPARE(sets.percTLuc.FieldNames(), (QStringList{"VRPELUCRO", "VRLUCRO", "NMSUBGRPROD"}));
    QCOMPARE(sets.mediaOrca.FieldByName("NMORCAMENTO")->Size(), 40);
  }
};

QTEST_GUILESS_MAIN(TestChartData)
#include "tst_chartdata.moc"
