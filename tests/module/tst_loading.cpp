// SPDX-License-Identifier: MIT
// Choosing and loading a quote on "Margem Final" against the real server: options spread over
// the tabs, common rows, merged subgroups, the ten-option limit, the two validation messages, the
// lookup, a quote without margin rows after a larger one, and a server that stops.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "btnpesquisa.h"
#include "busyanimation.h"
#include "buttonflat.h"
#include "dbgrid.h"
#include "lookupdialog.h"
#include "messagelog.h"
#include "pagesheets.h"
#include "replyelement.h"
#include "serverfixture.h"
#include "statusmessage.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

namespace {

QStringList Column(margem::TDBGrid* grid, int column) {
  QStringList texts;
  margem::TDataSetModel* model = grid->Model();
  for (int row = 0; row < model->rowCount(); ++row)
    texts << model->index(row, column).data().toString();
  texts.sort();
  return texts;
}

}  // namespace

class LoadingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("loading_quotes.json")}), qPrintable(m_server.Error()));
    m_form = OpenWorkspace();
    QVERIFY(m_form != nullptr);
  }
  void init() { m_log.Clear(); }
  void cleanupTestCase() { CloseWorkspace(); }

  // Three options, each with SALGADOS in two rows and REFRIGERANTES; SALGADOS (100) and DOCES
  // (50) common to all; discount 100 per option.
  void threeOptionsWithCommonRows() {
    EnterQuote(m_form, QStringLiteral("301"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(m_form->edtNrOrcamento->text(), QStringLiteral("0000000301"));
    QCOMPARE(VisibleTabs(m_form), 3);
    for (int n = 1; n <= 3; ++n) {
      QVERIFY(margem::TabVisible(m_form->pgcPadrao, m_form->tshOpcao(n)));
      QCOMPARE(Column(m_form->dbgGrupo(n), 0), (QStringList{"DOCES", "REFRIGERANTES", "SALGADOS"}));
      QCOMPARE(Column(m_form->dbgGrupo(n), 1), (QStringList{"400,00", "50,00", "900,00"}));
      QCOMPARE(Column(m_form->dbgOpcao(n), 0), (QStringList{QStringLiteral("Coxinha 0%1").arg(n),
                                                            QStringLiteral("Empada 0%1").arg(n),
                                                            QStringLiteral("Guaraná 0%1").arg(n)}));
      QCOMPARE(Cell(m_form, "nedVr", 1, n), 1250.0);
      QVERIFY(m_form->sbtVr(1, n)->isChecked());
      QVERIFY(m_form->panOpcao(n)->isEnabled());
    }
    QCOMPARE(m_form->cdsMargem->RecordCount(), 3);
    QVERIFY(margem::BusyOverlay() == nullptr || !margem::BusyOverlay()->isVisible());
  }

  void atMostTenOptions_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("margins");
    QTest::addColumn<QString>("status");
    QTest::newRow("ten options") << "302" << 10 << "";
    QTest::newRow("twelve options")
        << "303" << 10 << "Orçamento com 12 opções: exibidas as 10 primeiras.";
  }
  void atMostTenOptions() {
    QFETCH(QString, number);
    QFETCH(int, margins);
    QFETCH(QString, status);
    EnterQuote(m_form, number);
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(margem::StatusMessage(), status);
    QCOMPARE(VisibleTabs(m_form), 10);
    QCOMPARE(m_form->cdsMargem->RecordCount(), margins);
    QCOMPARE(Column(m_form->dbgOpcao(10), 0), (QStringList{"Item 10.1", "Item 10.2", "Item 10.3"}));
    QCOMPARE(Cell(m_form, "nedVr", 1, 10), 3006.0);
  }

  // Enter in the number loads the quote as Tab does.
  void enterInTheNumberLoads() {
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, QStringLiteral("301"));
    QTest::keyClick(m_form->edtNrOrcamento, Qt::Key_Return);
    QCOMPARE(m_form->edtNrOrcamento->text(), QStringLiteral("0000000301"));
    QCOMPARE(VisibleTabs(m_form), 3);
    QVERIFY(!m_form->panFiltro->isAncestorOf(QApplication::focusWidget()));
  }

  // Rows that are all common: one margin row, its figures on "Opção 1", and option 1's grid on
  // the selected scenario (1), not on the last one the ladder computed.
  void allCommonRowsFillTheFirstOption() {
    EnterQuote(m_form, QStringLiteral("304"));
    QCOMPARE(m_form->cdsMargem->RecordCount(), 1);
    QCOMPARE(VisibleTabs(m_form), 1);
    QCOMPARE(Cell(m_form, "nedVr", 1, 1), 3000.0);
    QCOMPARE(Cell(m_form, "nedPs", 5, 1), 26.0);
    QVERIFY(m_form->sbtVr(1, 1)->isChecked());
    QCOMPARE(m_form->dbgGrupo(1)->Model()->columns().at(1).fieldName,
             QStringLiteral("VRTOTALITEM"));
    QCOMPARE(Column(m_form->dbgGrupo(1), 6), (QStringList{"1.000,00", "350,00"}));
    QCOMPARE(m_form->dbgOpcao(1)->Model()->rowCount(), 0);
  }

  void quoteWithoutMarginRowsKeepsTheTabs() {
    EnterQuote(m_form, QStringLiteral("305"));
    QCOMPARE(VisibleTabs(m_form), 5);
    EnterQuote(m_form, QStringLiteral("306"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(VisibleTabs(m_form), 5);
    for (int n = 1; n <= 5; ++n) {
      QCOMPARE(m_form->dbgGrupo(n)->Model()->rowCount(), 0);
      QCOMPARE(m_form->dbgOpcao(n)->Model()->rowCount(), 0);
      QCOMPARE(Cell(m_form, "nedVr", 1, n), 0.0);
      QCOMPARE(Cell(m_form, "nedLu", 2, n), 0.0);
    }
  }

  void numberValidation_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "Orçamento deve ser informado.";
    QTest::newRow("blanks") << "   "
                            << "Orçamento deve ser informado.";
    QTest::newRow("unknown") << "777"
                             << "Orçamento não cadastrado.";
  }
  void numberValidation() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    EnterQuote(m_form, QStringLiteral("301"));
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, typed);
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(m_log.Messages(), QStringList{message});
    QCOMPARE(m_form->ActiveControl(), m_form->edtNrOrcamento);
    QVERIFY(!m_form->cdsGrupo(1)->Active());
    QVERIFY(!m_form->panOpcao(1)->isEnabled());
    QCOMPARE(Cell(m_form, "nedVr", 1, 1), 0.0);
    QCOMPARE(m_form->CdFilial(), QStringLiteral("0001"));
    // The focus came back without a new enter: the unknown number's empty header stays open.
    QCOMPARE(m_form->cdsVdOrca->Active(), message == QStringLiteral("Orçamento não cadastrado."));

    // Still in the panel: a right number and the next exit load it.
    TypeText(m_form->edtNrOrcamento, QStringLiteral("301"));
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(m_log.Messages().size(), 1);
    QCOMPARE(Cell(m_form, "nedVr", 1, 1), 1250.0);
  }

  // Entering the panel clears every option's matrix (the "% Lucro" row found as nedPl…), closes
  // the item rows and brings "Opção 1" forward; the next load sets every "Ver Opção" down.
  void enteringThePanelClearsEveryOption() {
    EnterQuote(m_form, QStringLiteral("305"));
    m_form->pgcPadrao->setCurrentWidget(m_form->tshOpcao(4));
    m_form->sbtVerOpcao(4)->setChecked(false);
    QVERIFY(Cell(m_form, "nedPL", 3, 5) != 0.0);
    MoveFocus(m_form->edtNrOrcamento);
    QCOMPARE(m_form->pgcPadrao->currentWidget(), m_form->tshPadrao);
    QVERIFY(!m_form->cdsItemOrca->Active());
    QVERIFY(!m_form->sbtImprimir->isEnabled());
    for (int n = 1; n <= 5; ++n) {
      for (const char* row : {"nedVr", "nedPs", "nedLu", "nedPL", "nedDi"})
        for (int k = 1; k <= 5; ++k) QCOMPARE(Cell(m_form, row, k, n), 0.0);
      QVERIFY(!m_form->panOpcao(n)->isEnabled());
    }
    MoveFocus(m_form->dbgGrupo(1));
    QVERIFY(m_form->sbtVerOpcao(4)->isChecked());
  }

  // A number corrected after "Orçamento não cadastrado." loads without a new enter, and the
  // print and chart buttons follow the header that is shown again.
  void buttonsFollowACorrectedNumber() {
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, QStringLiteral("777"));
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(m_log.Last(), QStringLiteral("Orçamento não cadastrado."));
    QVERIFY(!m_form->sbtImprimir->isEnabled());
    TypeText(m_form->edtNrOrcamento, QStringLiteral("301"));
    MoveFocus(m_form->dbgGrupo(1));
    QVERIFY(m_form->sbtImprimir->isEnabled());
    QVERIFY(m_form->sbtGrafico->isEnabled());
  }

  void tabKeyLeavesThePanelAndLoads() {
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, QStringLiteral("305"));
    QTest::keyClick(m_form->edtNrOrcamento, Qt::Key_Tab);
    QCOMPARE(m_log.Messages(), QStringList());
    QVERIFY(m_form->ActiveControl() != m_form->edtNrOrcamento);
    QCOMPARE(VisibleTabs(m_form), 5);
  }

  void lookupPickLoadsOnlyOnLeavingThePanel() {
    MoveFocus(m_form->edtNrOrcamento);
    margem::TBtnPesquisa::ExecHook = [](QDialog& dialog) {
      auto& lookup = static_cast<margem::TLookupDialog&>(dialog);
      QTest::keyClicks(lookup.FilterEdit(), QStringLiteral("305"));
      if (lookup.VisibleRowCount() == 1) lookup.PickVisibleRow(0);
      return dialog.result();
    };
    Click(m_form->btnNrOrcamento);
    margem::TBtnPesquisa::ExecHook = nullptr;
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(m_form->edtNrOrcamento->text(), QStringLiteral("0000000305"));
    QVERIFY(!m_form->cdsVdOrca->Active());
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(VisibleTabs(m_form), 5);
    QCOMPARE(Cell(m_form, "nedVr", 1, 5), 500.0);
  }

  // A Null element of the reply leaves no rows of the previous quote behind.
  void nullReplyElementLoadsNoRows() {
    EnterQuote(m_form, QStringLiteral("301"));
    QVERIFY(!m_form->cdsOrcamento->IsEmpty());
    LoadReplyElement(*m_form->cdsOrcamento, margem::ServerValue());
    QVERIFY(m_form->cdsOrcamento->Active());
    QVERIFY(m_form->cdsOrcamento->IsEmpty());
    m_form->cdsItemOrca->Close();
    LoadReplyElement(*m_form->cdsItemOrca, margem::ServerValue());
    QVERIFY(m_form->cdsItemOrca->Active());
    QVERIFY(m_form->cdsItemOrca->IsEmpty());
  }

  void serverStoppingBetweenLoads() {
    EnterQuote(m_form, QStringLiteral("301"));
    m_server.Stop();
    EnterQuote(m_form, QStringLiteral("305"));
    QCOMPARE(m_log.Messages().size(), 1);
    QVERIFY(m_log.Last().startsWith(QStringLiteral("Não foi possível conectar")));
    QCOMPARE(m_form->ActiveControl(), m_form->edtNrOrcamento);
    QVERIFY(margem::BusyOverlay() == nullptr || !margem::BusyOverlay()->isVisible());
    QVERIFY(m_server.Restart());
    TypeText(m_form->edtNrOrcamento, QStringLiteral("305"));
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(m_log.Messages().size(), 1);
    QCOMPARE(VisibleTabs(m_form), 5);
  }

 private:
  ServerFixture m_server;
  MessageLog m_log;
  TfrmMargemFinal* m_form = nullptr;
};

QTEST_MAIN(LoadingTest)
#include "tst_loading.moc"
