// SPDX-License-Identifier: MIT
// "Exportar" of "Margem Final" against the real server: the CSV read back as a spreadsheet would
// gives the numbers the screen shows, a typed scenario included; the workbook is written; a
// folder that is not there ends in a message.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "dbgrid.h"
#include "messagelog.h"
#include "numberedit.h"
#include "ptbr.h"
#include "serverfixture.h"
#include "silentabort.h"
#include "statusmessage.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

using namespace testsupport;

namespace {

using Rows = QList<QStringList>;

// A CSV with ";" between cells, cells in quotes where needed (quotes doubled), CRLF lines.
Rows ReadCsv(const QString& text) {
  Rows rows;
  QStringList row;
  QString cell;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
      cell += c;
      ++i;
    } else if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && c == u';') {
      row << cell;
      cell.clear();
    } else if (!quoted && c == u'\n') {
      row << cell;
      rows << row;
      row.clear();
      cell.clear();
    } else if (quoted || c != u'\r') {
      cell += c;
    }
  }
  return rows;
}

// The first row from `from` on whose first cell is `caption`; -1 when none.
qsizetype RowOf(const Rows& rows, const QString& caption, qsizetype from = 0) {
  for (qsizetype i = from; i < rows.size(); ++i)
    if (rows[i].value(0) == caption) return i;
  return -1;
}

// A number cell as a spreadsheet reads it: decimal comma, no thousands separator.
double Number(QString csvCell) {
  bool ok = false;
  const double value = csvCell.replace(u',', u'.').toDouble(&ok);
  return ok ? value : qQNaN();
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(m_server.Start({QStringLiteral("loading_quotes.json")}), qPrintable(m_server.Error()));
    m_form = OpenWorkspace();
    QVERIFY(m_form != nullptr);
    EnterQuote(m_form, QStringLiteral("301"));
    // A what-if value typed into scenario 3 of option 2 travels as the screen shows it.
    TypeText(m_form->Find<margem::TNumberEdit>(QStringLiteral("nedVr3Op2")),
             QStringLiteral("999,5"));
    QCOMPARE(m_log.Messages(), QStringList());
  }
  void cleanupTestCase() { CloseWorkspace(); }

  void csvGivesTheScreensNumbers() {
    const QString path = m_dir.filePath(QStringLiteral("margem-0000000301.csv"));
    m_form->ExportQuote(path);
    QCOMPARE(margem::StatusMessage(), QStringLiteral("Arquivo gravado em %1.").arg(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const Rows rows = ReadCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(rows.value(RowOf(rows, QStringLiteral("Nr. Orçamento"))).value(1),
             QStringLiteral("0000000301"));

    qsizetype at = 0;
    for (int n = 1; n <= 3; ++n) {
      at = RowOf(rows, QStringLiteral("Opção %1").arg(n), at);
      QVERIFY2(at >= 0, qPrintable(QString::number(n)));
      const char* prefixes[] = {"nedVr", "nedPs", "nedLu", "nedPl", "nedDi"};
      for (int row = 0; row < 5; ++row)
        for (int k = 1; k <= 5; ++k)
          QCOMPARE(Number(rows[at + 2 + row].value(k)), Cell(m_form, prefixes[row], k, n));

      // The subgroup grid, titles and every cell, as the grid shows it.
      const qsizetype grid = RowOf(rows, QStringLiteral("Grupo"), at);
      margem::TDataSetModel* model = m_form->dbgGrupo(n)->Model();
      for (int r = 0; r < model->rowCount(); ++r) {
        const QStringList& line = rows[grid + 1 + r];
        QCOMPARE(line.value(0), model->index(r, 0).data().toString());
        for (int c = 1; c < model->columnCount(); ++c)
          QCOMPARE(Number(line.value(c)),
                   *margem::ParseNumber(model->index(r, c).data().toString()));
      }
      const qsizetype items = RowOf(rows, QStringLiteral("Item"), grid);
      QCOMPARE(rows.value(items + 1).value(0),
               m_form->dbgOpcao(n)->Model()->index(0, 0).data().toString());
    }
    QCOMPARE(Cell(m_form, "nedVr", 3, 2), 999.5);
  }

  void workbookIsWritten() {
    const QString path = m_dir.filePath(QStringLiteral("margem-0000000301.xlsx"));
    m_form->ExportQuote(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(2) == "PK");
  }

  void unwritableFolderEndsInAMessage() {
    m_log.Clear();
    QVERIFY_THROWS_EXCEPTION(margem::SilentAbort,
                             m_form->ExportQuote(m_dir.filePath(QStringLiteral("no/such/x.csv"))));
    QVERIFY2(m_log.Last().startsWith(QStringLiteral("Não foi possível gravar o arquivo")),
             qPrintable(m_log.Last()));
  }

 private:
  ServerFixture m_server;
  MessageLog m_log;
  QTemporaryDir m_dir;
  TfrmMargemFinal* m_form = nullptr;
};

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
