// SPDX-License-Identifier: MIT
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "btnpesquisa.h"
#include "lookupdialog.h"
#include "mensErro.h"

using namespace margem;

class TstBtnPesquisa : public QObject {
  Q_OBJECT

  QStringList m_messages;
  std::unique_ptr<TClientDataSet> m_set;
  std::unique_ptr<TDataSource> m_source;
  std::unique_ptr<QLineEdit> m_edit;
  std::unique_ptr<TBtnPesquisa> m_button;
  int m_afterCalls = 0;

  void fill(const QList<QStringList>& rows) {
    m_set->CreateDataSet();
    for (const QStringList& row : rows) {
      m_set->Append();
      m_set->FieldByName(QStringLiteral("NRORCAEVENTO"))->SetAsString(row[0]);
      m_set->FieldByName(QStringLiteral("CDFILIAL"))->SetAsString(row[1]);
      m_set->FieldByName(QStringLiteral("NMINTERNO"))->SetAsString(QStringLiteral("oculto"));
      m_set->Post();
    }
    m_set->First();
  }

  void fillThree() {
    fill({{QStringLiteral("0000000001"), QStringLiteral("AB01")},
          {QStringLiteral("0000000002"), QStringLiteral("0001")},
          {QStringLiteral("0000000123"), QStringLiteral("ab02")}});
  }

 private slots:
  void init() {
    m_messages.clear();
    SetMessageRecorder([this](const QString& text) { m_messages << text; });
    m_set = std::make_unique<TClientDataSet>(QStringLiteral("cdsOrca"));
    m_set->AddField(QStringLiteral("NRORCAEVENTO"), FieldType::String, 10)->DisplayLabel =
        QStringLiteral("Nr. Orçamento");
    m_set->AddField(QStringLiteral("CDFILIAL"), FieldType::String, 4)->DisplayLabel = QStringLiteral("Filial");
    m_set->AddField(QStringLiteral("NMINTERNO"), FieldType::String, 10)->Visible = false;
    m_source = std::make_unique<TDataSource>(QStringLiteral("dtsOrca"));
    m_source->SetDataSet(m_set.get());
    m_edit = std::make_unique<QLineEdit>();
    m_button = std::make_unique<TBtnPesquisa>(QStringLiteral("btnNrOrcamento"));
    m_button->Associate = m_edit.get();
    m_button->DataSource = m_source.get();
    m_button->Title = QStringLiteral("Orçamento");
    m_button->EmptyError = QStringLiteral("Não há orçamento cadastrado.");
    m_afterCalls = 0;
    m_button->OnAfterPesq = [this](QObject*) {
      ++m_afterCalls;
      m_edit->setText(m_set->FieldByName(QStringLiteral("NRORCAEVENTO"))->AsString());
    };
  }

  void cleanup() {
    TBtnPesquisa::ExecHook = nullptr;
    SetMessageRecorder(nullptr);
    m_button.reset();
    m_edit.reset();
    m_source.reset();
    m_set.reset();
  }

  void emptyListShowsEmptyError_data() {
    QTest::addColumn<bool>("opened");
    QTest::newRow("closed data set") << false;
    QTest::newRow("open without rows") << true;
  }

  void emptyListShowsEmptyError() {
    QFETCH(bool, opened);
    bool dialogShown = false;
    TBtnPesquisa::ExecHook = [&](QDialog&) {
      dialogShown = true;
      return int(QDialog::Rejected);
    };
    m_button->OnBeforePesq = [&](QObject*, bool&) {
      if (opened) fill({});
    };
    m_button->click();  // guarded: the abort stays inside the click
    QCOMPARE(m_messages, QStringList{QStringLiteral("Não há orçamento cadastrado.")});
    QVERIFY(!dialogShown);
    QCOMPARE(m_afterCalls, 0);
  }

  void listShowsVisibleFieldsUnderTheirLabels() {
    m_button->OnBeforePesq = [this](QObject*, bool&) { fillThree(); };
    QStringList titles;
    QString windowTitle;
    TBtnPesquisa::ExecHook = [&](QDialog& dialog) {
      windowTitle = dialog.windowTitle();
      auto* table = dialog.findChild<QTableView*>(QStringLiteral("grdPesquisa"));
      for (int i = 0; i < table->model()->columnCount(); ++i)
        titles << table->model()->headerData(i, Qt::Horizontal).toString();
      return int(QDialog::Rejected);
    };
    m_button->click();
    QCOMPARE(windowTitle, QStringLiteral("Orçamento"));
    QCOMPARE(titles, (QStringList{QStringLiteral("Nr. Orçamento"), QStringLiteral("Filial")}));
    QCOMPARE(m_afterCalls, 0);  // closed without a pick
    QVERIFY(m_messages.isEmpty());
  }

  void filterAndPick_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("pickVisible");
    QTest::addColumn<QString>("picked");
    QTest::newRow("no filter, second row") << "" << 3 << 1 << "0000000002";
    QTest::newRow("any column, case ignored") << "ab" << 2 << 1 << "0000000123";
    QTest::newRow("number part") << "123" << 1 << 0 << "0000000123";
    QTest::newRow("nothing left") << "zz" << 0 << -1 << "";
  }

  void filterAndPick() {
    QFETCH(QString, filter);
    QFETCH(int, visible);
    QFETCH(int, pickVisible);
    QFETCH(QString, picked);
    m_button->OnBeforePesq = [this](QObject*, bool&) { fillThree(); };
    int shownRows = -1;
    TBtnPesquisa::ExecHook = [&](QDialog& dialog) {
      auto& lookup = dynamic_cast<TLookupDialog&>(dialog);
      QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("edtFiltro")), filter);
      shownRows = lookup.VisibleRowCount();
      if (pickVisible >= 0) lookup.PickVisibleRow(pickVisible);
      return dialog.result();
    };
    m_button->click();
    QCOMPARE(shownRows, visible);
    QCOMPARE(m_afterCalls, picked.isEmpty() ? 0 : 1);
    QCOMPARE(m_edit->text(), picked);
    if (!picked.isEmpty())
      QCOMPARE(m_set->FieldByName(QStringLiteral("NRORCAEVENTO"))->AsString(), picked);
  }

  void enterInTheFilterPicksTheFirstRowLeft() {
    m_button->OnBeforePesq = [this](QObject*, bool&) { fillThree(); };
    TBtnPesquisa::ExecHook = [&](QDialog& dialog) {
      auto* filter = dialog.findChild<QLineEdit*>(QStringLiteral("edtFiltro"));
      QTest::keyClicks(filter, QStringLiteral("02"));
      QTest::keyClick(filter, Qt::Key_Return);
      return dialog.result();
    };
    m_button->click();
    QCOMPARE(m_edit->text(), QStringLiteral("0000000002"));
    QCOMPARE(m_set->RecNo(), 1);
  }

  void beforePesqCanStopTheLookup() {
    m_button->OnBeforePesq = [](QObject*, bool& proceed) { proceed = false; };
    bool dialogShown = false;
    TBtnPesquisa::ExecHook = [&](QDialog&) {
      dialogShown = true;
      return int(QDialog::Rejected);
    };
    m_button->click();
    QVERIFY(!dialogShown);
    QVERIFY(m_messages.isEmpty());
  }

  void failureWhileFillingIsShownNotThrown() {
    m_button->OnBeforePesq = [](QObject*, bool&) { MensErro(QStringLiteral("Servidor fora do ar.")); };
    m_button->click();
    QCOMPARE(m_messages, QStringList{QStringLiteral("Servidor fora do ar.")});
    QVERIFY_THROWS_EXCEPTION(SilentAbort, m_button->Pesquisa());
  }
};

QTEST_MAIN(TstBtnPesquisa)
#include "tst_btnpesquisa.moc"
