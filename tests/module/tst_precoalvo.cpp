// SPDX-License-Identifier: MIT
// "Preço Alvo" driven as a user: opened from an option tab, the target typed, "Aplicar" by Enter
// writing one ladder column exactly as typing the total would, "Fechar" and Esc changing nothing,
// a target out of reach, a quote without guests, Ctrl+T without a quote.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "buttonflat.h"
#include "messagelog.h"
#include "modalform.h"
#include "numberedit.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "tfrmprecoalvo.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

namespace {

// The 25 numbers of an option's ladder, row by row.
QList<double> Ladder(TfrmMargemFinal* form, int n) {
  QList<double> values;
  for (const char* prefix : {"nedVr", "nedPs", "nedLu", "nedPl", "nedDi"})
    for (int k = 1; k <= 5; ++k) values << Cell(form, prefix, k, n);
  return values;
}

// The texts of one column of the dialog: "Alvo", "Equil" or "EquilDif".
QStringList Column(TfrmPrecoAlvo* dialog, const QString& column) {
  QStringList texts;
  for (const char* prefix : {"edtVr", "edtPs", "edtLu", "edtPl", "edtDi"})
    texts << dialog->Find<QLineEdit>(QString::fromLatin1(prefix) + column)->text();
  return texts;
}

}  // namespace

class TestPrecoAlvo : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("whatif_two_subgroups.json"),
                             QStringLiteral("report_rounding.json")}),
             qPrintable(m_server.Error()));
    m_form = OpenWorkspace();
    QVERIFY(m_form != nullptr);
  }
  // A modal dialog that closed leaves no window active on the offscreen platform.
  void init() { QVERIFY(ShowActive(m_form)); }
  void cleanupTestCase() { CloseWorkspace(); }

  // Options 1 and 2 of quote 201 are alike: "Aplicar" on option 1 and the same total typed into
  // option 2 leave the two ladders equal, and only column 3 moved.
  void applyWritesTheColumnAsTyping() {
    EnterQuote(m_form, QStringLiteral("201"));
    const QList<double> before = Ladder(m_form, 1);
    QVERIFY(WithModalForm<TfrmPrecoAlvo>(
        [this] { Click(m_form->sbtPrecoAlvo(1)); },
        [](TfrmPrecoAlvo* dialog) {
          QCOMPARE(dialog->Caption, QStringLiteral("Preço Alvo - Opção 1"));
          QCOMPARE(dialog->cboCenario->currentText(), QStringLiteral("Valor 05"));
          QCOMPARE(Column(dialog, "Equil"),
                   QStringList({"450,00", "4,50", "0,00", "0,00", "-5,19"}));
          QCOMPARE(Column(dialog, "EquilDif"),
                   QStringList({"475,00", "4,75", "20,00", "4,21", "0,00"}));
          TypeText(dialog->nedAlvo, QStringLiteral("30"));
          QCOMPARE(Column(dialog, "Alvo"),
                   QStringList({"719,94", "7,20", "215,95", "30,00", "31,75"}));
          QVERIFY(dialog->lblMensagem->text().isEmpty());
          dialog->cboCenario->setCurrentIndex(1);
          QTest::keyClick(dialog->nedAlvo, Qt::Key_Return);
          QVERIFY(dialog->IsClosed());
        }));
    m_form->pgcPadrao->setCurrentWidget(m_form->tshOpcao(2));
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr3Op2")),
             QStringLiteral("719,94"));
    const QList<double> applied = Ladder(m_form, 1);
    QCOMPARE(applied, Ladder(m_form, 2));
    for (qsizetype i = 0; i < applied.size(); ++i)
      if (i % 5 != 2) QCOMPARE(applied[i], before[i]);
  }

  // A target out of reach says why and cannot be applied; Esc and "Fechar" change nothing.
  void unreachableTargetAndClosing_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("ceiling, Esc")
        << 0 << "80,01"
        << "O % Lucro desta opção não chega a 80,01 %: quanto maior o valor total, mais se "
           "aproxima de 80,00 %."
        << true;
    QTest::newRow("below the lowest total, Fechar")
        << 2 << "-400"
        << "O Valor Lucro desta opção não desce a -400,00: mesmo com o menor valor total, 0,01, "
           "fica em -359,99."
        << false;
  }
  void unreachableTargetAndClosing() {
    QFETCH(int, kind);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(bool, byEscape);
    EnterQuote(m_form, QStringLiteral("201"));
    const QList<double> before = Ladder(m_form, 1);
    const auto use = [&](TfrmPrecoAlvo* dialog) {
      dialog->cboTipoAlvo->setCurrentIndex(kind);
      TypeText(dialog->nedAlvo, target);
      QCOMPARE(dialog->lblMensagem->text(), message);
      QVERIFY(!dialog->sbtAplicar->isEnabled());
      QCOMPARE(Column(dialog, "Alvo"), QStringList(5, QStringLiteral("—")));
      QTest::keyClick(dialog->nedAlvo, Qt::Key_Return);
      QVERIFY(!dialog->IsClosed());
      byEscape ? QTest::keyClick(dialog->nedAlvo, Qt::Key_Escape) : Click(dialog->sbtFechar);
      QVERIFY(dialog->IsClosed());
    };
    QVERIFY(WithModalForm<TfrmPrecoAlvo>([this] { Click(m_form->sbtPrecoAlvo(1)); }, use));
    QCOMPARE(Ladder(m_form, 1), before);
  }

  // Quote 100 has no guests: every price per guest reads "—".
  void noGuestsNoPricePerGuest() {
    EnterQuote(m_form, QStringLiteral("100"));
    QVERIFY(WithModalForm<TfrmPrecoAlvo>(
        [this] { m_form->PrecoAlvo1->trigger(); },
        [](TfrmPrecoAlvo* dialog) {
          TypeText(dialog->nedAlvo, QStringLiteral("50"));
          for (const char* column : {"Alvo", "Equil", "EquilDif"})
            QCOMPARE(Column(dialog, column).at(1), QStringLiteral("—"));
          QCOMPARE(Column(dialog, "Alvo").at(3), QStringLiteral("50,00"));
        }));
  }

  void ctrlTWithoutAQuote() {
    MessageLog log;
    MoveFocus(m_form->edtNrOrcamento);  // the screen is cleared
    QTest::keyClick(m_form->edtNrOrcamento, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(log.Last(), QStringLiteral("Escolha um orçamento para calcular o preço alvo."));
  }

 private:
  ServerFixture m_server;
  TfrmMargemFinal* m_form = nullptr;
};

QTEST_MAIN(TestPrecoAlvo)
#include "tst_precoalvo.moc"
