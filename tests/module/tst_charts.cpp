// SPDX-License-Identifier: MIT
// The chart request of "Gráficos" against the real server: which bars the two charts draw, in
// which order, with which labels and values; the period title; and every way the request stops
// (period messages, an empty period, an option number that is no number) without a chart and
// with the working data sets emptied.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "cli_ore01402.h"
#include "dateeditplus.h"
#include "formhost.h"
#include "messagelog.h"
#include "modalform.h"
#include "serverfixture.h"
#include "tfrmcompperlucmed.h"
#include "tfrmdadograf.h"
#include "tfrmdadograf_barchart.h"
#include "tfrmmargemfinal.h"
#include "tfrmperclucrgr.h"
#include "userinput.h"
#include "workspacedriver.h"

namespace {

// What one press of the chart button showed: the chart screen (if any) as the user saw it.
struct ShownChart {
  bool shown = false;
  QString caption;
  QString title;
  QStringList labels;
  QList<double> values;
  bool imageSaved = false;
  int chartWidth = 0;  // as the chart showed
};

// Presses the chart button; a chart screen that opens is read, its image saved to imagePath
// (when given), and closed.
ShownChart PressChartButton(TfrmDadoGraf* form, const QString& imagePath = {}) {
  ShownChart seen;
  seen.shown = testsupport::WithModalForm<margem::TfrmPadrGraf>(
      [form] { testsupport::Click(form->sbtGrafico); },
      [&](margem::TfrmPadrGraf* chart) {
        seen.caption = chart->Caption;
        seen.title = chart->TitleLines().join(u'\n');
        seen.labels = BarLabels(*chart->Chart());
        seen.values = BarValues(*chart->Chart());
        seen.chartWidth = chart->dchPadrao->viewport()->width();
        if (imagePath.isEmpty()) return;
        if (auto* group = qobject_cast<TfrmPercLucrGr*>(chart))
          seen.imageSaved = group->SaveImage(imagePath);
        if (auto* comp = qobject_cast<TfrmCompPerLucMed*>(chart))
          seen.imageSaved = comp->SaveImage(imagePath);
      });
  return seen;
}

QList<double> Rounded(const QList<double>& values) {
  QList<double> rounded;
  for (double value : values) rounded << std::round(value * 100) / 100;
  return rounded;
}

void ExpectWorkingSetsEmpty(const TfrmDadoGraf* form) {
  QCOMPARE(form->cdsPercLucrGrup->RecordCount(), 0);
  QCOMPARE(form->cdsMediaOrca->RecordCount(), 0);
  QCOMPARE(form->cdsValorOpc->RecordCount(), 0);
  QCOMPARE(form->cdsAuxMediaOrca->RecordCount(), 0);
}

const QString kGroupCaption = QStringLiteral("Percentual de Lucro por Grupo");
const QString kComparisonCaption =
    QStringLiteral("Comparativo do Percentual de Lucro X Média do Período");

}  // namespace

class TestCharts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void cleanupTestCase();

  void groupChartDrawsRowsInReverseServerOrder();
  void groupChartIgnoresThePeriod_data();
  void groupChartIgnoresThePeriod();
  void comparisonChartBars_data();
  void comparisonChartBars();
  void periodIsCheckedAfterTheQuoteIsFetched_data();
  void periodIsCheckedAfterTheQuoteIsFetched();
  void firstDateMissingThenFilledGivesTheSameBars();
  void pressingTwiceGivesTheSameChart_data();
  void pressingTwiceGivesTheSameChart();
  void emptyPeriodShowsMessageAndNoChart();
  void optionNumberThatIsNoNumberEndsWithItsMessage();
  void chartImageIsSavedAsPng();
  void serverDownEndsWithItsMessageAndTheScreenStaysUsable();

 private:
  void LoadQuote(const QString& number);
  void ChooseComparison(const QString& first, const QString& last);

  testsupport::ServerFixture m_server;
  std::unique_ptr<testsupport::MessageLog> m_messages;
  TfrmMargemFinal* m_workspace = nullptr;
  TfrmDadoGraf* m_form = nullptr;
};

void TestCharts::initTestCase() {
  QVERIFY2(m_server.Start({QStringLiteral("charts_march2005.json")}), qPrintable(m_server.Error()));
  m_workspace = testsupport::OpenWorkspace();
  QVERIFY(m_workspace);
}

void TestCharts::init() {
  m_messages = std::make_unique<testsupport::MessageLog>();
  m_form = margem::CreateForm<TfrmDadoGraf>();
  Cli_ore01402::frmDadoGraf = m_form;
  Cli_ore01402::boIdCriado = true;
  QVERIFY(testsupport::ShowActive(m_form));
}

void TestCharts::cleanup() {
  delete m_form;
  Cli_ore01402::boIdCriado = false;
  m_messages.reset();
}

void TestCharts::cleanupTestCase() { testsupport::CloseWorkspace(); }

void TestCharts::LoadQuote(const QString& number) {
  QVERIFY(testsupport::ShowActive(m_workspace));
  testsupport::EnterQuote(m_workspace, number);
  QCOMPARE(m_workspace->edtNrOrcamento->text(), number);
  QVERIFY(!m_workspace->CdFilial().isEmpty());
  QVERIFY2(m_messages->Messages().isEmpty(), qPrintable(m_messages->Last()));
  QVERIFY(testsupport::ShowActive(m_form));
}

void TestCharts::ChooseComparison(const QString& first, const QString& last) {
  testsupport::Click(m_form->rbtPercGrupxMedPer);
  m_form->depDeDtInc->setText(first);
  m_form->depAteDtInc->setText(last);
}

void TestCharts::groupChartDrawsRowsInReverseServerOrder() {
  LoadQuote(QStringLiteral("0000000123"));
  const ShownChart chart = PressChartButton(m_form);
  QVERIFY(chart.shown);
  QCOMPARE(chart.caption, kGroupCaption);
  QCOMPARE(chart.labels,
           QStringList({"SUBGRUPO E Opção 03", "SUBGRUPO D Opção 02", "SUBGRUPO C Opção 02",
                        "SUBGRUPO B Opção 01", "SUBGRUPO A Opção 01", "COMUM"}));
  // The shared row deducts its subgroup's fixed expense at the quote's service percentage.
  QCOMPARE(Rounded(chart.values), QList<double>({40, 45, 60, 70, 85, 80}));
  ExpectWorkingSetsEmpty(m_form);
}

void TestCharts::groupChartIgnoresThePeriod_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::newRow("empty") << QString() << QString();
  QTest::newRow("inverted") << "31/03/2005"
                            << "01/03/2005";
  QTest::newRow("before 1899") << "01/01/1800"
                               << "02/01/1800";
}

void TestCharts::groupChartIgnoresThePeriod() {
  QFETCH(QString, first);
  QFETCH(QString, last);
  LoadQuote(QStringLiteral("0000000123"));
  ChooseComparison(first, last);
  testsupport::Click(m_form->rbtGrafGrup);
  QVERIFY(!m_form->depDeDtInc->isEnabled());
  QCOMPARE(m_form->depDeDtInc->GetDate(),
           first.isEmpty() ? QDate() : QDate::fromString(first, "dd/MM/yyyy"));
  const ShownChart chart = PressChartButton(m_form);
  QVERIFY(chart.shown);
  QCOMPARE(chart.labels.size(), 6);
  QVERIFY2(m_messages->Messages().isEmpty(), qPrintable(m_messages->Last()));
}

void TestCharts::comparisonChartBars_data() {
  QTest::addColumn<QString>("quote");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::addColumn<QStringList>("labels");
  QTest::addColumn<QList<double>>("values");

  // Period of branch 0001 in March 2005: quote 123's six rows and quote 124's one row, which
  // has its own service percentage (50 %) and was included on the last day, in the evening.
  // Quote 125 (April) stays out. (80 + 85 + 70 + 60 + 45 + 40 + 75) / 7 = 65.
  QTest::newRow("three options: 2, 1, mean, 3")
      << "0000000123"
      << "01/03/2005"
      << "31/03/2005"
      << QStringList{"0000000123 Opção 02", "0000000123 Opção 01", "Média", "0000000123 Opção 03"}
      << QList<double>{61.67, 78.33, 65, 60};
  QTest::newRow("period of one row")
      << "0000000123"
      << "01/04/2005"
      << "30/04/2005"
      << QStringList{"0000000123 Opção 02", "0000000123 Opção 01", "Média", "0000000123 Opção 03"}
      << QList<double>{61.67, 78.33, 10, 60};
  QTest::newRow("one day") << "0000000123"
                           << "10/03/2005"
                           << "10/03/2005"
                           << QStringList{"0000000123 Opção 02", "0000000123 Opção 01", "Média",
                                          "0000000123 Opção 03"}
                           << QList<double>{61.67, 78.33, 63.33, 60};
  // Branch 0002 in March 2005: rows at 10, 20, 60 and 0 % (a row without sale value).
  QTest::newRow("no option: mean first")
      << "0000000200"
      << "01/03/2005"
      << "31/03/2005" << QStringList{"Média", "0000000200"} << QList<double>{22.5, 15};
  QTest::newRow("single option: mean first")
      << "0000000201"
      << "01/03/2005"
      << "31/03/2005" << QStringList{"Média", "0000000201 Opção 01"} << QList<double>{22.5, 30};
  // The earliest day the period accepts is 30/12/1899 itself.
  QTest::newRow("from 30/12/1899")
      << "0000000200"
      << "30/12/1899"
      << "31/03/2005" << QStringList{"Média", "0000000200"} << QList<double>{22.5, 15};
}

void TestCharts::comparisonChartBars() {
  QFETCH(QString, quote);
  QFETCH(QString, first);
  QFETCH(QString, last);
  QFETCH(QStringList, labels);
  QFETCH(QList<double>, values);
  LoadQuote(quote);
  ChooseComparison(first, last);
  const ShownChart chart = PressChartButton(m_form);
  QVERIFY2(chart.shown, qPrintable(m_messages->Last()));
  QCOMPARE(chart.caption, kComparisonCaption);
  QCOMPARE(chart.title, QStringLiteral("Período:  %1 à %2").arg(first, last));
  QCOMPARE(chart.labels, labels);
  QCOMPARE(Rounded(chart.values), values);
  ExpectWorkingSetsEmpty(m_form);
}

void TestCharts::periodIsCheckedAfterTheQuoteIsFetched_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focused");
  QTest::newRow("both empty") << ""
                              << ""
                              << "Data inicial da inclusão deve ser informada."
                              << "depDeDtInc";
  QTest::newRow("last empty") << "01/03/2005"
                              << ""
                              << "Data final da inclusão deve ser informada."
                              << "depAteDtInc";
  QTest::newRow("inverted") << "31/03/2005"
                            << "01/03/2005"
                            << "Data inicial da inclusão deve ser menor ou igual a data final."
                            << "depDeDtInc";
  QTest::newRow("before 1899") << "29/12/1899"
                               << "31/03/2005"
                               << "A data deve ser maior que 30/12/1899."
                               << "depDeDtInc";
  QTest::newRow("no such day") << "31/02/2005"
                               << "31/03/2005"
                               << "Data inválida: \"31/02/2005\". Informe a data no formato "
                                  "dd/mm/aaaa."
                               << "depDeDtInc";
}

void TestCharts::periodIsCheckedAfterTheQuoteIsFetched() {
  QFETCH(QString, first);
  QFETCH(QString, last);
  QFETCH(QString, message);
  QFETCH(QString, focused);
  LoadQuote(QStringLiteral("0000000123"));
  ChooseComparison(first, last);

  const ShownChart chart = PressChartButton(m_form);
  QVERIFY(!chart.shown);
  QCOMPARE(m_messages->Messages(), QStringList{message});
  QCOMPARE(QApplication::focusWidget()->objectName(), focused);
  // The quote's rows were fetched before the period was looked at.
  QCOMPARE(m_form->cdsOrcamento->RecordCount(), 6);
  ExpectWorkingSetsEmpty(m_form);
  // The screen stays as the user left it, to correct the period.
  QVERIFY(m_form->isVisible());
  QVERIFY(m_form->rbtPercGrupxMedPer->isChecked());
  if (!first.isEmpty()) QCOMPARE(m_form->depDeDtInc->text(), first);
  if (!last.isEmpty()) QCOMPARE(m_form->depAteDtInc->text(), last);
}

void TestCharts::firstDateMissingThenFilledGivesTheSameBars() {
  LoadQuote(QStringLiteral("0000000123"));
  ChooseComparison(QString(), QStringLiteral("31/03/2005"));
  QVERIFY(!PressChartButton(m_form).shown);
  QCOMPARE(m_messages->Last(), QStringLiteral("Data inicial da inclusão deve ser informada."));

  m_form->depDeDtInc->setText(QStringLiteral("01/03/2005"));
  const ShownChart chart = PressChartButton(m_form);
  QVERIFY(chart.shown);
  QCOMPARE(chart.labels, QStringList({"0000000123 Opção 02", "0000000123 Opção 01", "Média",
                                      "0000000123 Opção 03"}));
  QCOMPARE(Rounded(chart.values), QList<double>({61.67, 78.33, 65, 60}));
}

void TestCharts::pressingTwiceGivesTheSameChart_data() {
  QTest::addColumn<bool>("comparison");
  QTest::newRow("group") << false;
  QTest::newRow("comparison") << true;
}

void TestCharts::pressingTwiceGivesTheSameChart() {
  QFETCH(bool, comparison);
  LoadQuote(QStringLiteral("0000000123"));
  if (comparison) ChooseComparison(QStringLiteral("01/03/2005"), QStringLiteral("31/03/2005"));
  const ShownChart once = PressChartButton(m_form);
  const ShownChart twice = PressChartButton(m_form);
  QVERIFY(once.shown);
  QVERIFY(twice.shown);
  QCOMPARE(twice.title, once.title);
  QCOMPARE(twice.labels, once.labels);
  QCOMPARE(twice.values, once.values);
}

void TestCharts::emptyPeriodShowsMessageAndNoChart() {
  LoadQuote(QStringLiteral("0000000123"));
  ChooseComparison(QStringLiteral("01/01/2006"), QStringLiteral("31/12/2006"));
  QVERIFY(!PressChartButton(m_form).shown);
  QCOMPARE(m_messages->Messages(),
           QStringList{"Não há orçamento cadastrado para o período informado."});
  ExpectWorkingSetsEmpty(m_form);
  QCOMPARE(m_form->depDeDtInc->text(), QStringLiteral("01/01/2006"));
}

void TestCharts::optionNumberThatIsNoNumberEndsWithItsMessage() {
  LoadQuote(QStringLiteral("0000000300"));
  const ShownChart group = PressChartButton(m_form);
  QVERIFY(group.shown);
  QCOMPARE(group.labels, QStringList{"SALGADOS Opção A1"});

  ChooseComparison(QStringLiteral("01/03/2005"), QStringLiteral("31/03/2005"));
  QVERIFY(!PressChartButton(m_form).shown);
  QCOMPARE(m_messages->Messages().size(), 1);
  QVERIFY2(m_messages->Last().contains(QStringLiteral("\"A1\"")), qPrintable(m_messages->Last()));
  ExpectWorkingSetsEmpty(m_form);

  // The screen is still usable: the next request draws normally.
  m_messages->Clear();
  LoadQuote(QStringLiteral("0000000123"));
  QVERIFY(PressChartButton(m_form).shown);
}

void TestCharts::chartImageIsSavedAsPng() {
  LoadQuote(QStringLiteral("0000000123"));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("grupo.png"));
  const ShownChart seen = PressChartButton(m_form, path);
  QVERIFY(seen.imageSaved);
  QImage image(path, "PNG");
  QCOMPARE(image.width(), 2 * seen.chartWidth);  // twice the size it showed at
  QVERIFY(!PressChartButton(m_form, dir.filePath(QStringLiteral("no/such/folder.png"))).imageSaved);
}

void TestCharts::serverDownEndsWithItsMessageAndTheScreenStaysUsable() {
  LoadQuote(QStringLiteral("0000000123"));
  ChooseComparison(QStringLiteral("01/03/2005"), QStringLiteral("31/03/2005"));
  m_server.Stop();
  QVERIFY(!PressChartButton(m_form).shown);
  QCOMPARE(m_messages->Messages().size(), 1);
  QVERIFY2(m_messages->Last().contains(QStringLiteral("servidor de aplicação")),
           qPrintable(m_messages->Last()));
  ExpectWorkingSetsEmpty(m_form);

  QVERIFY2(m_server.Restart(), qPrintable(m_server.Error()));
  m_messages->Clear();
  const ShownChart chart = PressChartButton(m_form);
  QVERIFY2(chart.shown, qPrintable(m_messages->Last()));
  QCOMPARE(Rounded(chart.values), QList<double>({61.67, 78.33, 65, 60}));
}

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
