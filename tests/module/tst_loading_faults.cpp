// SPDX-License-Identifier: MIT
// Loading a quote on "Margem Final" when the margin call goes wrong after the header was found
// (an error reply, a Null element), through a proxy in front of the real server; and the ways
// the focus leaves or does not leave the filter panel (Shift+Tab, a click on a tab, the menu bar).
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>

#include "busyanimation.h"
#include "dbgrid.h"
#include "messagelog.h"
#include "pagesheets.h"
#include "replyproxy.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

namespace {

bool BusyShown() { return margem::BusyOverlay() != nullptr && margem::BusyOverlay()->isVisible(); }

}  // namespace

class LoadingFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("loading_quotes.json")}), qPrintable(m_server.Error()));
    m_proxy = std::make_unique<ReplyProxy>(m_server.Port());
    QVERIFY(m_proxy->Start());
    m_form = OpenWorkspace();
    QVERIFY(m_form != nullptr);
  }
  void init() {
    m_proxy->Forward(QStringLiteral("GetMargem"));
    m_log.Clear();
  }
  void cleanupTestCase() {
    CloseWorkspace();
    m_proxy.reset();
  }

  // After a quote with five options, a reply whose two elements are Null shows no rows of the
  // earlier quote: its tabs stay as they were, with empty grids and zero matrices.
  void nullElementsLeaveNothingOfThePreviousQuote() {
    EnterQuote(m_form, QStringLiteral("305"));
    QCOMPARE(VisibleTabs(m_form), 5);
    m_proxy->AnswerResult(QStringLiteral("GetMargem"), QStringLiteral("[null,null]"));
    EnterQuote(m_form, QStringLiteral("301"));
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(m_form->cdsVdOrca->FieldByName(QStringLiteral("NRORCAEVENTO"))->AsString(),
             QStringLiteral("0000000301"));
    QVERIFY(m_form->cdsOrcamento->IsEmpty());
    QVERIFY(m_form->cdsItemOrca->IsEmpty());
    QCOMPARE(m_form->cdsMargem->RecordCount(), 0);
    QCOMPARE(VisibleTabs(m_form), 5);
    for (int n = 1; n <= 5; ++n) {
      QCOMPARE(m_form->dbgGrupo(n)->Model()->rowCount(), 0);
      QCOMPARE(m_form->dbgOpcao(n)->Model()->rowCount(), 0);
      QCOMPARE(Cell(m_form, "nedVr", 1, n), 0.0);
      QCOMPARE(Cell(m_form, "nedPs", 2, n), 0.0);
    }
  }

  // The header was found but the margin call failed: its message, the busy sign gone, the focus
  // back in the number without a new enter (the header stays), and the next exit loads.
  void failedMarginCallKeepsTheFocusInThePanel() {
    m_proxy->AnswerError(QStringLiteral("GetMargem"), -32000,
                         QStringLiteral("O banco de dados está indisponível. Tente novamente."));
    EnterQuote(m_form, QStringLiteral("301"));
    QCOMPARE(m_log.Messages(),
             QStringList{QStringLiteral("O banco de dados está indisponível. Tente novamente.")});
    QVERIFY(!BusyShown());
    QCOMPARE(m_form->ActiveControl(), m_form->edtNrOrcamento);
    QVERIFY(m_form->cdsVdOrca->Active());
    QCOMPARE(m_form->cdsVdOrca->RecordCount(), 1);

    m_proxy->Forward(QStringLiteral("GetMargem"));
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(m_log.Messages().size(), 1);
    QCOMPARE(VisibleTabs(m_form), 3);
    QCOMPARE(Cell(m_form, "nedVr", 1, 3), 1250.0);
  }

  void shiftTabLeavesThePanelAndLoads() {
    EnterQuote(m_form, QStringLiteral("301"));
    MoveFocus(m_form->edtNrOrcamento);
    QCOMPARE(Cell(m_form, "nedVr", 1, 1), 0.0);  // entering cleared the screen
    TypeText(m_form->edtNrOrcamento, QStringLiteral("305"));
    QTest::keyClick(m_form->edtNrOrcamento, Qt::Key_Backtab);
    QCOMPARE(m_log.Messages(), QStringList());
    QVERIFY(!m_form->panFiltro->isAncestorOf(m_form->ActiveControl()));
    QCOMPARE(VisibleTabs(m_form), 5);
    QCOMPARE(Cell(m_form, "nedVr", 1, 5), 500.0);
  }

  void clickOnATabLeavesThePanelAndLoads() {
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, QStringLiteral("301"));
    QTabBar* tabs = m_form->pgcPadrao->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QApplication::processEvents();
    QCOMPARE(m_log.Messages(), QStringList());
    QCOMPARE(VisibleTabs(m_form), 3);
    QCOMPARE(Cell(m_form, "nedVr", 1, 1), 1250.0);
  }

  // The menu bar taking the focus (Alt, then its menus from the keyboard) and giving it back
  // neither loads the typed number nor clears the screen.
  void menuBarFocusNeitherLeavesNorEnters() {
    EnterQuote(m_form, QStringLiteral("301"));
    MoveFocus(m_form->edtNrOrcamento);
    TypeText(m_form->edtNrOrcamento, QStringLiteral("305"));
    m_form->mnuMenu->setFocus(Qt::MenuBarFocusReason);
    QApplication::processEvents();
    m_form->edtNrOrcamento->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    QCOMPARE(m_form->edtNrOrcamento->text(), QStringLiteral("305"));
    QVERIFY(!m_form->cdsVdOrca->Active());
    MoveFocus(m_form->dbgGrupo(1));
    QCOMPARE(VisibleTabs(m_form), 5);
  }

 private:
  ServerFixture m_server;
  std::unique_ptr<ReplyProxy> m_proxy;
  MessageLog m_log;
  TfrmMargemFinal* m_form = nullptr;
};

QTEST_MAIN(LoadingFaultsTest)
#include "tst_loading_faults.moc"
