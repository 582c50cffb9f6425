// SPDX-License-Identifier: MIT
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "formhost.h"
#include "forms/dadosgraf.h"
#include "forms/padraogrid.h"
#include "mensErro.h"
#include "numberedit.h"

using namespace margem;

namespace {

// A workspace-like form that records its close and closes with a chosen action.
class TfrmTeste : public TfrmPadraoGrid {
 public:
  CloseAction onClose = caFree;
  bool failOnClose = false;
  int closes = 0;
  void FormClose(CloseAction& action) override {
    ++closes;
    if (failOnClose) throw std::runtime_error("Falha ao desconectar.");
    action = onClose;
  }
};

class TfrmGrafTeste : public TfrmDadosGraf {
 public:
  int closes = 0;
  void FormClose(CloseAction& action) override {
    ++closes;
    TfrmDadosGraf::FormClose(action);
  }
};

class TfrmFalha : public TfrmDadosGraf {
 public:
  static inline int alive = 0;
  TfrmFalha() { ++alive; }
  ~TfrmFalha() override { --alive; }
  void FormCreate() override { MensErro(QStringLiteral("Não foi possível abrir.")); }
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class TstForms : public QObject {
  Q_OBJECT

  QStringList m_messages;

 private slots:
  void init() {
    m_messages.clear();
    SetMessageRecorder([this](const QString& text) { m_messages << text; });
  }
  void cleanup() {
    SetMessageRecorder(nullptr);
    SetMdiArea(nullptr);
  }

  void findComponentIgnoresLetterCase_data() {
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found");
    QTest::newRow("composed name") << "nedPl2Op7"
                                   << "nedPL2Op7";
    QTest::newRow("upper case") << "NEDPL2OP7"
                                << "nedPL2Op7";
    QTest::newRow("inherited component") << "SBTIMPRIMIR"
                                         << "sbtImprimir";
    QTest::newRow("inherited grid") << "dbgpadrao"
                                    << "dbgPadrao";
    QTest::newRow("added after the first lookup") << "nedvr3op10"
                                                  << "nedVr3Op10";
    QTest::newRow("absent") << "nedXx1Op1"
                            << "";
  }

  void findComponentIgnoresLetterCase() {
    QFETCH(QString, asked);
    QFETCH(QString, found);
    TfrmTeste form;
    new TNumberEdit(QStringLiteral("nedPL2Op7"), form.tshPadrao);
    QVERIFY(form.FindComponent(QStringLiteral("nedPL2Op7")));  // fills the index
    new TNumberEdit(QStringLiteral("nedVr3Op10"), form.tshPadrao);
    QObject* component = form.FindComponent(asked);
    QCOMPARE(component ? component->objectName() : QString(), found);
  }

  void findComponentForgetsDeletedAndRenamed() {
    TfrmTeste form;
    auto* edit = new TNumberEdit(QStringLiteral("nedPs2Op1"), form.tshPadrao);
    QCOMPARE(form.Find<TNumberEdit>(QStringLiteral("nedps2op1")), edit);
    edit->setObjectName(QStringLiteral("nedPs3Op1"));
    QVERIFY(!form.FindComponent(QStringLiteral("nedPs2Op1")));
    QCOMPARE(form.Find<TNumberEdit>(QStringLiteral("NEDPS3OP1")), edit);
    delete edit;
    QVERIFY(!form.FindComponent(QStringLiteral("nedPs3Op1")));
    QVERIFY(!form.Find<TNumberEdit>(QStringLiteral("sbtImprimir")));  // wrong class
  }

  void printEntryClicksOnlyAnEnabledPrintButton() {
    TfrmTeste form;
    int prints = 0;
    connect(form.sbtImprimir, &QToolButton::clicked, [&] { ++prints; });
    form.sbtImprimir->setEnabled(false);
    form.mnuImprimir->trigger();
    QCOMPARE(prints, 0);
    form.sbtImprimir->setEnabled(true);
    form.mnuImprimir->trigger();
    QCOMPARE(prints, 1);
  }

  void closingTheSubwindowRunsFormClose_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<bool>("stillExists");
    QTest::newRow("free") << int(caFree) << false << false;
    QTest::newRow("none") << int(caNone) << true << true;
    QTest::newRow("hide") << int(caHide) << false << true;
  }

  void closingTheSubwindowRunsFormClose() {
    QFETCH(int, action);
    QFETCH(bool, stillOpen);
    QFETCH(bool, stillExists);
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    SetMdiArea(&area);
    QPointer<TfrmTeste> form = CreateForm<TfrmTeste>();
    form->Caption = QStringLiteral("Margem Final");
    form->onClose = CloseAction(action);
    ShowMdiChild(form);
    QCOMPARE(area.subWindowList().size(), 1);
    QCOMPARE(area.subWindowList().first()->windowTitle(), QStringLiteral("Margem Final"));

    form->sbtFechar->click();
    flushDeletes();
    QCOMPARE(bool(form), stillExists);
    if (form) QCOMPARE(form->closes, 1);
    QCOMPARE(form && form->isVisible(), stillOpen);
    if (stillExists) delete form;
  }

  void failingFormCloseStillCloses() {
    QPointer<TfrmTeste> form = CreateForm<TfrmTeste>();
    form->failOnClose = true;
    ShowMdiChild(form);  // no MDI area: a top-level window
    QVERIFY(form->isWindow());
    form->Close();
    flushDeletes();
    QVERIFY(!form);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Falha ao desconectar.")});
  }

  void showMdiChildTwiceKeepsOneSubwindowAndRestoresIt() {
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    SetMdiArea(&area);
    auto* form = CreateForm<TfrmTeste>();
    ShowMdiChild(form);
    area.subWindowList().first()->showMinimized();
    ShowMdiChild(form);
    SetWindowStateNormal(form);
    QCOMPARE(area.subWindowList().size(), 1);
    QVERIFY(!form->Container()->isMinimized());
    QCOMPARE(MainForm(), &area);
  }

  void showModalReturnsWhenTheFormCloses() {
    QPointer<TfrmGrafTeste> form = CreateForm<TfrmGrafTeste>();
    form->Caption = QStringLiteral("Gráficos");
    QString dialogTitle;
    int closes = 0;
    QTimer::singleShot(0, [&] {
      dialogTitle = form->window()->windowTitle();
      form->sbtFechar->click();
      closes = form->closes;
    });
    ShowModal(form);
    QCOMPARE(dialogTitle, QStringLiteral("Gráficos"));
    QCOMPARE(closes, 1);
    QVERIFY(!form);  // closed with caFree: gone on return
  }

  // A chart-data screen is of fixed size: its dialog cannot be resized, and opens where the form
  // says, kept on the screen; a form without a position opens where the dialog puts it.
  void modalDialogTakesTheFormsSizeAndPosition_data() {
    QTest::addColumn<bool>("positioned");
    QTest::newRow("designed position") << true;
    QTest::newRow("no position") << false;
  }
  void modalDialogTakesTheFormsSizeAndPosition() {
    QFETCH(bool, positioned);
    QPointer<TfrmGrafTeste> form = CreateForm<TfrmGrafTeste>();
    if (positioned) form->Position = QPoint(30, 20);
    QSize minimum, maximum;
    QPoint corner;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = form->window();
      minimum = dialog->minimumSize();
      maximum = dialog->maximumSize();
      corner = dialog->frameGeometry().topLeft() - dialog->screen()->availableGeometry().topLeft();
      form->sbtFechar->click();
    });
    ShowModal(form);
    QCOMPARE(minimum, QSize(435, 152));
    QCOMPARE(maximum, QSize(435, 152));
    if (positioned) QCOMPARE(corner, QPoint(30, 20));
  }

  void escapeClosesAModalFormThroughFormClose() {
    QPointer<TfrmGrafTeste> form = CreateForm<TfrmGrafTeste>();
    int closes = 0;
    QTimer::singleShot(0, [&] {
      QTest::keyClick(form->window(), Qt::Key_Escape);
      closes = form ? form->closes : -1;
    });
    ShowModal(form);
    QCOMPARE(closes, 1);
  }

  void failedFormCreateDeletesTheForm() {
    bool aborted = false;
    try {
      CreateForm<TfrmFalha>();
    } catch (const SilentAbort&) {
      aborted = true;
    }
    QVERIFY(aborted);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Não foi possível abrir.")});
    QCOMPARE(TfrmFalha::alive, 0);
  }
};

QTEST_MAIN(TstForms)
#include "tst_forms.moc"
