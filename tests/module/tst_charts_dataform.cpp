// SPDX-License-Identifier: MIT
// The "Gráficos" screen as the workspace opens it: one instance at a time, fresh after each close,
// opened by the menu entry even while the chart button is disabled; the chart choice switching
// the period on and off without losing it; a date edit checking its date when it is left.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "buttonflat.h"
#include "cli_ore01402.h"
#include "dateeditplus.h"
#include "formhost.h"
#include "messagelog.h"
#include "modalform.h"
#include "serverfixture.h"
#include "tfrmdadograf.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

namespace {

// Runs `open`, which shows "Gráficos" modally; `use` runs on the shown screen, which is then
// closed. False when no such screen was shown.
bool WithModalChartData(const std::function<void()>& open,
                        const std::function<void(TfrmDadoGraf*)>& use) {
  return testsupport::WithModalForm<TfrmDadoGraf>(open, use);
}

void ExpectPeriodEnabled(TfrmDadoGraf* form, bool enabled) {
  QCOMPARE(form->lblDe->isEnabled(), enabled);
  QCOMPARE(form->lblAte->isEnabled(), enabled);
  QCOMPARE(form->depDeDtInc->isEnabled(), enabled);
  QCOMPARE(form->depAteDtInc->isEnabled(), enabled);
}

}  // namespace

class TestChartsDataForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void menuEntryOpensAFreshScreenEachTime();
  void screenLayout();
  void chartChoiceSwitchesThePeriodAndKeepsIt();
  void leavingADateEditChecksTheDate_data();
  void leavingADateEditChecksTheDate();

 private:
  testsupport::ServerFixture m_server;
  TfrmMargemFinal* m_workspace = nullptr;
};

void TestChartsDataForm::initTestCase() {
  QVERIFY2(m_server.Start({QStringLiteral("charts_march2005.json")}), qPrintable(m_server.Error()));
  m_workspace = testsupport::OpenWorkspace();
  QVERIFY(m_workspace);
}

void TestChartsDataForm::cleanupTestCase() { testsupport::CloseWorkspace(); }

void TestChartsDataForm::menuEntryOpensAFreshScreenEachTime() {
  testsupport::MessageLog messages;
  QVERIFY(!m_workspace->sbtGrafico->isEnabled());  // no quote yet
  const auto openByMenu = [this] { m_workspace->Grficos1->trigger(); };

  QPointer<TfrmDadoGraf> first;
  QVERIFY(WithModalChartData(openByMenu, [&](TfrmDadoGraf* form) {
    first = form;
    QCOMPARE(Cli_ore01402::frmDadoGraf.data(), form);
    QVERIFY(Cli_ore01402::boIdCriado);
    QCOMPARE(form->Caption, QStringLiteral("Gráficos"));
    QVERIFY(form->rbtGrafGrup->isChecked());
    QVERIFY(form->depDeDtInc->IsEmpty());
    QVERIFY(form->depAteDtInc->IsEmpty());
    ExpectPeriodEnabled(form, false);
    for (margem::TClientDataSet* set :
         {form->cdsPercLucrGrup, form->cdsMediaOrca, form->cdsValorOpc, form->cdsAuxMediaOrca,
          form->cdsPercTLuc}) {
      QVERIFY(set->Active());
      QVERIFY(set->IsEmpty());
    }
    testsupport::Click(form->rbtPercGrupxMedPer);
    form->depDeDtInc->setText(QStringLiteral("01/03/2005"));
  }));
  QVERIFY(!Cli_ore01402::boIdCriado);
  QVERIFY(first.isNull());

  QVERIFY(WithModalChartData(openByMenu, [&](TfrmDadoGraf* form) {
    QVERIFY(form->rbtGrafGrup->isChecked());
    QVERIFY(form->depDeDtInc->IsEmpty());
    ExpectPeriodEnabled(form, false);
  }));
  QVERIFY(messages.Messages().isEmpty());
}

// The screen's places: the choices in a 380 × 152 box, the chart button in the side panel at
// 380, and every text whole in its place.
void TestChartsDataForm::screenLayout() {
  QVERIFY(WithModalChartData(
      [this] { m_workspace->Grficos1->trigger(); },
      [](TfrmDadoGraf* form) {
        QCOMPARE(form->size(), QSize(435, 152));
        QCOMPARE(form->grbDadosRel->geometry(), QRect(0, 0, 380, 152));
        QCOMPARE(form->panMenu->geometry(), QRect(380, 0, 55, 152));
        QVERIFY(form->panMenu->isAncestorOf(form->sbtGrafico));
        QCOMPARE(form->grbDadoGraf->geometry(), QRect(4, 7, 371, 72));
        QCOMPARE(form->rbtPercGrupxMedPer->geometry(), QRect(6, 46, 353, 17));
        QCOMPARE(form->depAteDtInc->geometry(), QRect(34, 40, 115, 21));
        for (QWidget* text :
             std::initializer_list<QWidget*>{form->rbtGrafGrup, form->rbtPercGrupxMedPer})
          QVERIFY2(text->sizeHint().width() <= text->width(), qPrintable(text->objectName()));
        // A valid date reads blue; a partly typed one in the ordinary colour.
        form->depDeDtInc->setText(QStringLiteral("01/03/2005"));
        QCOMPARE(form->depDeDtInc->palette().color(QPalette::Text), QColor(Qt::blue));
        form->depDeDtInc->setText(QStringLiteral("01/03"));
        QVERIFY(form->depDeDtInc->palette().color(QPalette::Text) != QColor(Qt::blue));
      }));
}

void TestChartsDataForm::chartChoiceSwitchesThePeriodAndKeepsIt() {
  QVERIFY(WithModalChartData([this] { m_workspace->Grficos1->trigger(); },
                             [](TfrmDadoGraf* form) {
                               testsupport::Click(form->rbtPercGrupxMedPer);
                               ExpectPeriodEnabled(form, true);
                               form->depDeDtInc->setText(QStringLiteral("01/03/2005"));
                               form->depAteDtInc->setText(QStringLiteral("31/03/2005"));
                               testsupport::Click(form->rbtGrafGrup);
                               ExpectPeriodEnabled(form, false);
                               QCOMPARE(form->depDeDtInc->GetDate(), QDate(2005, 3, 1));
                               testsupport::Click(form->rbtPercGrupxMedPer);
                               ExpectPeriodEnabled(form, true);
                               QCOMPARE(form->depAteDtInc->GetDate(), QDate(2005, 3, 31));
                             }));
}

void TestChartsDataForm::leavingADateEditChecksTheDate_data() {
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");
  QTest::newRow("first, no such day")
      << "depDeDtInc"
      << "31022005"
      << "Data inválida: \"31/02/2005\". Informe a data no formato dd/mm/aaaa.";
  QTest::newRow("last, half typed")
      << "depAteDtInc"
      << "1203"
      << "Data inválida: \"12/03/\". Informe a data no formato dd/mm/aaaa.";
  QTest::newRow("first, a real day") << "depDeDtInc"
                                     << "01032005"
                                     << "";
  QTest::newRow("last, left empty") << "depAteDtInc"
                                    << ""
                                    << "";
}

void TestChartsDataForm::leavingADateEditChecksTheDate() {
  QFETCH(QString, edit);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  testsupport::MessageLog messages;
  QVERIFY(WithModalChartData([this] { m_workspace->Grficos1->trigger(); },
                             [&](TfrmDadoGraf* form) {
                               testsupport::Click(form->rbtPercGrupxMedPer);
                               auto* dateEdit = form->Find<margem::TDateEditPlus>(edit);
                               testsupport::TypeText(dateEdit, typed);
                               testsupport::MoveFocus(form->rbtGrafGrup);
                               QCOMPARE(messages.Messages(),
                                        message.isEmpty() ? QStringList() : QStringList{message});
                               QCOMPARE(QApplication::focusWidget(),
                                        message.isEmpty() ? static_cast<QWidget*>(form->rbtGrafGrup)
                                                          : static_cast<QWidget*>(dateEdit));
                             }));
}

QTEST_MAIN(TestChartsDataForm)
#include "tst_charts_dataform.moc"
