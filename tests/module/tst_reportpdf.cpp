// SPDX-License-Identifier: MIT
// Report ORE014 as it leaves the screen: the PDF of a quote read back as text, the empty report,
// a file that cannot be written, the preview opened from the screen's button, and how option
// blocks fall on pages.
#include <QComboBox>
#include <QDate>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "cli_ore01401_ore014.h"
#include "formhost.h"
#include "ptbr.h"
#include "tfrmrelmargemfinal.h"
#include "tst_report_workspace.h"

class TestReportPdf : public QObject {
  Q_OBJECT

 private:
  testsupport::ServerFixture m_server;
  testsupport::MessageLog m_log;
  TfrmMargemFinal* m_workspace = nullptr;
  QTemporaryDir m_dir;

  // The text of a PDF file as pdftotext reads it, in reading order, typographic ligatures
  // spelled out.
  static QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000)) return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput())
        .replace(QChar(0xFB00), QStringLiteral("ff"))
        .replace(QChar(0xFB01), QStringLiteral("fi"))
        .replace(QChar(0xFB02), QStringLiteral("fl"));
  }

  // What pdfinfo says of a PDF file (its page size among it).
  static QString PdfInfo(const QString& path) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(20000)) return {};
    return QString::fromUtf8(pdfinfo.readAllStandardOutput());
  }

  QString SaveReport(const QString& name) {
    std::unique_ptr<TfrmRelMargemFinal> report(margem::CreateForm<TfrmRelMargemFinal>());
    const QString path = m_dir.filePath(name);
    return report->rpddPadrao->SavePdf(path) ? PdfText(path) : QString();
  }

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
      QSKIP("pdftotext (poppler-utils) is not installed");
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_server.Start({QStringLiteral("report_three_options.json")}),
             qPrintable(m_server.Error()));
  }

  void init() {
    m_log.Clear();
    m_workspace = reporttest::OpenWorkspace();
    QVERIFY(m_workspace);
  }

  void cleanup() { reporttest::CloseWorkspace(); }

  void pdfHoldsTheQuoteAndItsOptionBlocks() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    const QString text = SaveReport(QStringLiteral("quote.pdf"));
    for (const QString& expected :
         {QStringLiteral("Margem Final"), QStringLiteral("0000000702"), QStringLiteral("0001"),
          QStringLiteral("Buffet Estrela"), QStringLiteral("Casamento"),
          QStringLiteral("Salão Nobre"), QStringLiteral("10/03/2005 20:00"),
          QStringLiteral("Opção 02"), QStringLiteral("Opção 05"), QStringLiteral("Opção 07"),
          QStringLiteral("Valor Atual"), QStringLiteral("Valor 05"), QStringLiteral("9.500,00"),
          QStringLiteral("95,00"), QStringLiteral("Página 1 de 1"),
          QStringLiteral("Impresso em ") + margem::FormatDate(QDate::currentDate())})
      QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in\n") + text));
    QVERIFY(text.indexOf(QStringLiteral("Opção 02")) < text.indexOf(QStringLiteral("Opção 05")));
    QVERIFY(text.indexOf(QStringLiteral("Opção 05")) < text.indexOf(QStringLiteral("Opção 07")));
    QVERIFY(m_log.Messages().isEmpty());
    QVERIFY2(PdfInfo(m_dir.filePath(QStringLiteral("quote.pdf")))
                 .contains(QRegularExpression(QStringLiteral("Page size: +595(\\.\\d+)? x 842"))),
             "the pages are not A4 portrait");
  }

  void withoutQuoteThePdfSaysSo() {
    const QString text = SaveReport(QStringLiteral("empty.pdf"));
    QVERIFY2(text.contains(QStringLiteral("Nenhum orçamento carregado")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Página 1 de 1")));
    QVERIFY(!text.contains(QStringLiteral("Opção")));
    QVERIFY(m_log.Messages().isEmpty());
  }

  void fileThatCannotBeWrittenIsReported() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    std::unique_ptr<TfrmRelMargemFinal> report(margem::CreateForm<TfrmRelMargemFinal>());
    QVERIFY(!report->rpddPadrao->SavePdf(m_dir.filePath(QStringLiteral("no/such/folder/x.pdf"))));
    QCOMPARE(m_log.Messages().size(), 1);
    QVERIFY2(m_log.Last().startsWith(QStringLiteral("Não foi possível gravar o arquivo PDF")),
             qPrintable(m_log.Last()));
  }

  void previewButtonOpensThePrintPreview() {
    reporttest::LoadQuote(m_workspace, QStringLiteral("702"));
    std::unique_ptr<TfrmRelMargemFinal> report(margem::CreateForm<TfrmRelMargemFinal>());
    QString title;
    QString zoomShown;
    // Polled: the report's query waits for the server, with timers running, before the preview.
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&]() {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
      if (!preview) return;
      title = preview->windowTitle();
      if (auto* zoom = preview->findChild<QComboBox*>(QStringLiteral("cbxZoom")))
        zoomShown = zoom->currentText();
      preview->close();
    });
    watcher.start();
    report->sbtVisualizar->click();
    QVERIFY2(title.contains(QStringLiteral("ORE014")), qPrintable(title));
    // The zoom reads as in Brazil: "38,8%", never "38.8%".
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+(,\\d)?%$")).match(zoomShown).hasMatch(),
             qPrintable(zoomShown));
    QVERIFY(m_log.Messages().isEmpty());
  }

  void optionBlocksAreNeverSplitAcrossPages_data() {
    QTest::addColumn<int>("options");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("none") << 0 << QList<int>{0};
    QTest::newRow("one") << 1 << QList<int>{1};
    QTest::newRow("four fill the first page") << 4 << QList<int>{4};
    QTest::newRow("five") << 5 << QList<int>{4, 1};
    QTest::newRow("ten") << 10 << QList<int>{4, 4, 2};
  }

  void optionBlocksAreNeverSplitAcrossPages() {
    QFETCH(int, options);
    QFETCH(QList<int>, perPage);
    Cli_ore01401::Ore014Data data;
    for (int i = 0; i < options; ++i) {
      Cli_ore01401::Ore014Option option;
      for (int k = 1; k <= 5; ++k) option.scenarios.append({k, 1000, 10, 100, 110});
      data.options.append(option);
    }
    const Cli_ore01401::TOre014Document document(data);
    QCOMPARE(document.PageCount(), perPage.size());
    int next = 0;
    for (int page = 0; page < document.PageCount(); ++page) {
      const auto& placed = document.Pages()[static_cast<size_t>(page)];
      QCOMPARE(static_cast<int>(placed.size()), perPage[page]);
      for (int option : placed) QCOMPARE(option, next++);
    }
  }
};

QTEST_MAIN(TestReportPdf)
#include "tst_reportpdf.moc"
