// SPDX-License-Identifier: MIT
// The "Margem Final" workspace as the package opens it: one form per IniProc, a fresh one after
// a close, its components under their names, the client name, and the print and chart buttons.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "btnpesquisa.h"
#include "buttonflat.h"
#include "cli_ore01400.h"
#include "dbgrid.h"
#include "dbtext.h"
#include "guard.h"
#include "messagelog.h"
#include "netconnection.h"
#include "numberedit.h"
#include "pagesheets.h"
#include "pkg_ore01400.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

class WorkspaceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("workspace_clients.json")}),
             qPrintable(m_server.Error()));
  }
  void init() { m_log.Clear(); }
  void cleanup() { CloseWorkspace(); }

  void iniProcTwiceKeepsOneFormRestoredToNormal() {
    TfrmMargemFinal* form = OpenWorkspace();
    QVERIFY(form != nullptr);
    QVERIFY(Cli_ore01400::boIdCriado);
    form->Container()->showMinimized();
    IniProc();
    QCOMPARE(Cli_ore01400::frmMargemFinal.data(), form);
    QVERIFY(!form->Container()->isMinimized());
    int workspaces = 0;
    for (QWidget* widget : QApplication::allWidgets())
      if (qobject_cast<TfrmMargemFinal*>(widget) != nullptr) ++workspaces;
    QCOMPARE(workspaces, 1);
  }

  void closeThenIniProcBuildsAFreshFormAndConnection() {
    QPointer<TfrmMargemFinal> first = OpenWorkspace();
    QPointer<margem::TNetConnection> firstConnection = first->netMargem;
    CloseWorkspace();
    QVERIFY(!Cli_ore01400::boIdCriado);
    QVERIFY(first.isNull());
    QVERIFY(firstConnection.isNull());
    TfrmMargemFinal* second = OpenWorkspace();
    QVERIFY(second != nullptr);
    QVERIFY(Cli_ore01400::boIdCriado);
    QVERIFY(second->netMargem->Connected());
  }

  void freshScreenShowsOnlyTheFirstOption() {
    TfrmMargemFinal* form = OpenWorkspace();
    QCOMPARE(form->Caption, QStringLiteral("Margem Final"));
    QCOMPARE(form->lblCodTela->text(), QStringLiteral("ORE01400"));
    QVERIFY(margem::TabVisible(form->pgcPadrao, form->tshPadrao));
    QCOMPARE(form->pgcPadrao->tabText(0), QStringLiteral("Opção 1"));
    for (int n = 2; n <= 10; ++n) {
      QCOMPARE(form->pgcPadrao->tabText(form->pgcPadrao->indexOf(form->tshOpcao(n))),
               QStringLiteral("Opção %1").arg(n));
      QVERIFY(!margem::TabVisible(form->pgcPadrao, form->tshOpcao(n)));
    }
    QVERIFY(!form->sbtImprimir->isEnabled());
    QVERIFY(!form->mnuImprimir->isEnabled());
    QVERIFY(!form->sbtGrafico->isEnabled());
    QVERIFY(form->Grficos1->isEnabled());
    QCOMPARE(form->Grficos1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    QVERIFY(form->sbtVerOpcao(1)->isChecked());
    QVERIFY(form->cdsMargem->Active());
    QVERIFY(form->CdFilial().isEmpty());
  }

  void perOptionControlsExistUnderTheirNames() {
    TfrmMargemFinal* form = OpenWorkspace();
    const char* const rows[] = {"nedVr", "nedPs", "nedLu", "nedPL", "nedDi"};
    int edits = 0, buttons = 0, toggles = 0;
    for (int n = 1; n <= 10; ++n) {
      for (int r = 0; r < 5; ++r)
        for (int k = 1; k <= 5; ++k) {
          const QString name = QStringLiteral("%1%2Op%3").arg(QLatin1String(rows[r])).arg(k).arg(n);
          auto* edit = form->Find<margem::TNumberEdit>(name);
          QVERIFY2(edit != nullptr, qPrintable(name));
          QCOMPARE(edit->objectName(), name);
          QCOMPARE(edit->isEnabledTo(form->panOpcao(n)), k > 1 && r < 2);
          QCOMPARE(edit->text(), QStringLiteral("0,00"));
          ++edits;
        }
      for (int k = 1; k <= 5; ++k) {
        auto* button = form->Find<margem::TButtonFlat>(QStringLiteral("sbtVr%1Op%2").arg(k).arg(n));
        QVERIFY(button != nullptr);
        QCOMPARE(button->Tag, k);
        ++buttons;
      }
      QVERIFY(form->Find<margem::TButtonFlat>(QStringLiteral("sbtVerOpcao%1").arg(n)));
      ++toggles;
      for (const char* name : {"dbgOpcao", "dbgGrupo", "panOpcao", "cdsOpcao", "cdsGrupo"})
        QVERIFY(form->FindComponent(QLatin1String(name) + QString::number(n)) != nullptr);
    }
    QCOMPARE(form->findChildren<margem::TNumberEdit*>().size(), edits);
    QCOMPARE(edits, 250);
    QCOMPARE(buttons, 50);
    QCOMPARE(toggles, 10);
    QCOMPARE(form->sbtVr(3, 7)->text(), QStringLiteral("Valor 03"));
  }

  // What the screen shows and says: the subgroup grid's columns, the product grid's title, the
  // lookup button, the message table and the quote panel's formats.
  void screenDescription() {
    TfrmMargemFinal* form = OpenWorkspace();
    const QList<margem::TColumn> columns = form->dbgGrupo(4)->Model()->columns();
    const QStringList fields{"NMSUBGRPROD",     "VRTOTALITEM", "VRPEIMDEVAVEMP", "VRPEIMDEVAVEOU",
                             "VRPEDESFIXASBGR", "VRPELUCRO",   "VRLUCRO"};
    const QStringList titles{"Grupo",     "Vr. Venda", "% IDVV MP", "% IDVV Outros",
                             "% Despesa", "% Lucro",   "Vr. Lucro"};
    QCOMPARE(columns.size(), 7);
    for (int c = 0; c < 7; ++c) {
      QCOMPARE(columns[c].fieldName, fields[c]);
      QCOMPARE(
          form->dbgGrupo(4)->Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
          titles[c]);
      QCOMPARE(form->dbgGrupo(4)->columnWidth(c), c == 0 ? 170 : 80);
      QCOMPARE(bool(columns[c].alignment & Qt::AlignRight), c > 0);
    }
    QCOMPARE(form->dbgOpcao(2)->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Item"));
    QCOMPARE(form->edtNrOrcamento->maxLength(), 10);
    QCOMPARE(form->btnNrOrcamento->toolTip(), QStringLiteral("Pesquisar"));
    QCOMPARE(form->btnNrOrcamento->Title, QStringLiteral("Orçamento"));
    QCOMPARE(form->btnNrOrcamento->EmptyError, QStringLiteral("Não há orçamento cadastrado."));
    QCOMPARE(form->sbtGrafico->toolTip(), QStringLiteral("Gráficos"));
    QCOMPARE(form->msgPadrao.Msg(QStringLiteral("Excl")), QStringLiteral("Confirma exclusão?"));
    QCOMPARE(form->msgPadrao.Msg(QStringLiteral("ORCA_N_INF")),
             QStringLiteral("Orçamento deve ser informado."));
    QCOMPARE(form->msgPadrao.Msg(QStringLiteral("ORCA_N_CAD")),
             QStringLiteral("Orçamento não cadastrado."));

    EnterQuote(form, QStringLiteral("101"));
    QCOMPARE(form->DBText2->text(), QStringLiteral("5,00 %"));
    QCOMPARE(form->DBText1->text(), QStringLiteral("20,00 %"));
    QCOMPARE(form->dbeQtConv->text(), QStringLiteral("100"));
    QCOMPARE(form->dbeDtEvento->text(), QStringLiteral("10/03/2005 20:00:00"));
  }

  void nameLookupIgnoresLetterCase() {
    TfrmMargemFinal* form = OpenWorkspace();
    QObject* found = form->FindComponent(QStringLiteral("nedPl2Op7"));
    QVERIFY(found != nullptr);
    QCOMPARE(found->objectName(), QStringLiteral("nedPL2Op7"));
    QCOMPARE(form->FindComponent(QStringLiteral("CDSGRUPO3")), form->cdsGrupo(3));
  }

  void clientShownIsTradeNameOrQuoteName_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("client");
    QTest::newRow("trade name") << "101"
                                << "Buffet Estrela";
    QTest::newRow("no trade name") << "102"
                                   << "João Pereira";
  }
  void clientShownIsTradeNameOrQuoteName() {
    QFETCH(QString, number);
    QFETCH(QString, client);
    TfrmMargemFinal* form = OpenWorkspace();
    EnterQuote(form, number);
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(form->dbeCliente->text(), client);
    QCOMPARE(form->dbeLocal->text(), QStringLiteral("Salão Nobre"));
    QCOMPARE(form->CdFilial(), QStringLiteral("0001"));
  }

  // The buttons act on the shown quote: never on an empty header after an unknown number.
  void printAndChartFollowTheShownQuote() {
    TfrmMargemFinal* form = OpenWorkspace();
    EnterQuote(form, QStringLiteral("101"));
    QVERIFY(form->sbtImprimir->isEnabled());
    QVERIFY(form->mnuImprimir->isEnabled());
    QVERIFY(form->sbtGrafico->isEnabled());

    MoveFocus(form->edtNrOrcamento);
    QVERIFY(!form->sbtImprimir->isEnabled());
    QVERIFY(!form->sbtGrafico->isEnabled());

    TypeText(form->edtNrOrcamento, QStringLiteral("9999"));
    MoveFocus(form->dbgGrupo(1));
    QCOMPARE(m_log.Last(), QStringLiteral("Orçamento não cadastrado."));
    QVERIFY(form->cdsVdOrca->Active());
    QVERIFY(!form->sbtImprimir->isEnabled());
    QVERIFY(!form->mnuImprimir->isEnabled());
    QVERIFY(!form->sbtGrafico->isEnabled());
  }

  void serverDownGivesAMessageAndNoForm() {
    const QByteArray port = qgetenv("MARGEM_SERVER_PORT");
    qputenv("MARGEM_SERVER_PORT", QByteArray::number(FreeLoopbackPort()));
    margem::Guarded(nullptr, [] { OpenWorkspace(); });
    qputenv("MARGEM_SERVER_PORT", port);
    QVERIFY(m_log.Last().startsWith(QStringLiteral("Não foi possível conectar")));
    QVERIFY(!Cli_ore01400::boIdCriado);
    QVERIFY(Cli_ore01400::frmMargemFinal.isNull());
    QVERIFY(OpenWorkspace() != nullptr);
  }

 private:
  ServerFixture m_server;
  MessageLog m_log;
};

QTEST_MAIN(WorkspaceTest)
#include "tst_workspace.moc"
