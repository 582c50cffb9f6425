// SPDX-License-Identifier: MIT
// margem-server import and export run as a user runs them: quote files in and out, the round
// trip answering the same calls, every kind of bad line reported with its place and nothing
// written, whole quotes replaced, and files written the ways spreadsheet programs write them.
#include <QFile>
#include <QTest>
#include <algorithm>
#include <sstream>

#include "csv_reader.h"
#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

const QByteArray kTitles =
    "Filial;Orçamento;Data de inclusão;Opção;Grupo;Subgrupo;Rateia frete (S/N);Produto;Valor;"
    "Cliente\n";
const QByteArray kGood = kTitles +
                         "0001;100;01/03/2025;01;ALIM;SALG;S;P1;100,5;Maria\n"
                         "0001;100;01/03/2025;01;ALIM;DOCE;N;P2;50;Maria\n";

QString writeFile(const TestDatabase& database, const QString& name, const QByteArray& bytes) {
  const QString path = database.folder() + "/" + name;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return path;
}

// Imports one file holding the bytes; false when the import fails.
bool importFile(const TestDatabase& database, const QString& name, const QByteArray& bytes,
                QString* output) {
  return runTool({"import", "--db", database.location(), writeFile(database, name, bytes)}, output);
}

// The database's quotes as export writes them.
QByteArray exported(const TestDatabase& database) {
  const QString path = database.folder() + "/export.csv";
  if (!runTool({"export", "--db", database.location(), path})) return "export failed";
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

// The fields of the export's lines after its titles.
std::vector<std::vector<std::string>> exportedLines(const TestDatabase& database) {
  std::istringstream in(exported(database).toStdString());
  margem::server::CsvReader reader(in, margem::server::TextEncoding::Utf8);
  margem::server::CsvRecord record;
  std::vector<std::vector<std::string>> lines;
  for (bool titles = true; reader.next(record); titles = false) {
    if (titles) continue;
    auto& fields = lines.emplace_back();
    for (std::size_t i = 0; i < record.size(); ++i) fields.emplace_back(record.field(i));
  }
  return lines;
}

std::string sortedRows(json packet) {
  auto& rows = packet.at("rows");
  std::sort(rows.begin(), rows.end());
  return packet.dump();
}

}  // namespace

class TestServerTransfer : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void roundTripAnswersTheSameCalls();
  void badFilesAreReportedAndNothingIsWritten_data();
  void badFilesAreReportedAndNothingIsWritten();
  void replaceRewritesWholeQuotes();
  void spreadsheetDialectsAreDetected_data();
  void spreadsheetDialectsAreDetected();
  void fixtureNamesAnExistingQuote();
  void disagreementAcrossFilesNamesTheFile();
};

void TestServerTransfer::init() {
  if (const QString reason = backendUnavailableReason(); !reason.isEmpty()) {
    QSKIP(qPrintable(reason));
  }
}

void TestServerTransfer::roundTripAnswersTheSameCalls() {
  TestDatabase original;
  QVERIFY(runTool({"demo", "--db", original.location()}));
  const QString file = original.folder() + "/quotes.csv";
  QString output;
  QVERIFY2(runTool({"export", "--db", original.location(), file}, &output), qPrintable(output));
  TestDatabase copy;
  QVERIFY2(runTool({"import", "--db", copy.location(), "--replace", file}, &output),
           qPrintable(output));

  ServerProcess first, second;
  QVERIFY(first.start(original.location()));
  QVERIFY(second.start(copy.location()));
  const RpcClient a(first.port()), b(second.port());
  const json lookup = a.result("GetOrca", {""});
  QCOMPARE(lookup.at("rows").size(), 200u);
  QCOMPARE(b.result("GetOrca", {""}).dump(), lookup.dump());
  for (const auto& row : lookup.at("rows")) {
    const json header = json::array({row.at(0)});
    const json items = json::array({row.at(1), row.at(0)});
    QCOMPARE(b.result("GetOrca", header).dump(), a.result("GetOrca", header).dump());
    QCOMPARE(b.result("GetMargem", items).dump(), a.result("GetMargem", items).dump());
  }
  for (const char* branch : {"0001", "0002", "0003"}) {
    const json period = json::array({branch, "2025-01-01T00:00:00", "2026-12-31T00:00:00"});
    QCOMPARE(sortedRows(b.result("GetMargTLuc", period)),
             sortedRows(a.result("GetMargTLuc", period)));
  }
}

void TestServerTransfer::badFilesAreReportedAndNothingIsWritten_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QStringList>("problems");

  const QByteArray quote = "0001;200;01/03/2025;01;ALIM;";
  QTest::newRow("number") << kTitles + quote + "SALG;S;P1;12,3x;Ana\n"
                          << QStringList{"linha 2, coluna I (Valor): \"12,3x\" não é um número"};
  QTest::newRow("date") << kTitles + "0001;200;32/01/2025;01;ALIM;SALG;S;P1;1;Ana\n"
                        << QStringList{
                               "linha 2, coluna C (Data de inclusão): \"32/01/2025\" "
                               "não é uma data"};
  QTest::newRow("text too long") << kTitles + quote + "SALG;S;P1;1;" + QByteArray(51, 'x') + "\n"
                                 << QStringList{"linha 2, coluna J (Cliente): \"" +
                                                QString(51, 'x') + "\" passa de 50 caracteres"};
  QTest::newRow("flag") << kTitles + quote + "SALG;X;P1;1;Ana\n"
                        << QStringList{
                               "linha 2, coluna G (Rateia frete (S/N)): \"X\" não é S nem N"};
  QTest::newRow("product under two subgroups")
      << kTitles + quote + "SALG;S;P9;1;Ana\n" + quote + "DOCE;N;P9;1;Ana\n"
      << QStringList{
             "linha 3, coluna F (Subgrupo): o produto P9 está no subgrupo ALIM/SALG da "
             "linha 2"};
  QTest::newRow("product under another subgroup in the database")
      << kTitles + quote + "DOCE;N;P1;1;Ana\n"
      << QStringList{"linha 2, coluna F (Subgrupo): o produto P1 já está no subgrupo ALIM/SALG"};
  QTest::newRow("two branches, two clients")
      << kTitles + quote + "SALG;S;P1;1;Ana\n0002;200;01/03/2025;01;ALIM;SALG;S;P1;1;Bia\n"
      << QStringList{"linha 3, coluna A (Filial): difere da linha 2",
                     "linha 3, coluna J (Cliente): difere da linha 2"};
  QTest::newRow("existing quote")
      << kTitles + "1;100;01/03/2025;01;ALIM;SALG;S;P1;1;Ana\n"
      << QStringList{"linha 2, coluna B (Orçamento): o orçamento 0000000100 já existe."};
  QTest::newRow("empty file") << QByteArray() << QStringList{"linha 1: o arquivo está vazio"};
  QTest::newRow("titles only") << kTitles
                               << QStringList{"linha 2: o arquivo só tem a linha de títulos"};
  QTest::newRow("missing column")
      << QByteArray("Filial;Orçamento;Data de inclusão;Grupo;Subgrupo\n1;2;01/01/2025;A;B\n")
      << QStringList{"linha 1: falta a coluna \"Produto\""};
  QTest::newRow("value beyond the titles")
      << kTitles + quote + "SALG;S;P1;1;Ana;perdido\n"
      << QStringList{"linha 2, coluna K: valor numa coluna sem título (\"perdido\")"};
  QTest::newRow("quote never closed")
      << kTitles + quote + "SALG;S;P1;1;\"Ana\n"
      << QStringList{"linha 2, coluna J: aspas abertas e não fechadas"};
  QTest::newRow("three mistakes, all told")
      << kTitles + quote + "SALG;S;P1;1O;Ana\n" + quote + "SALG;S;P1;1;Ana\n" +
             "0001;200;01/03/2025;01;ALIM;SALG;s;P1;1;Ana "
             "Maria\n0001;201;;01;ALIM;SALG;S;P1;1;Ana\n"
      << QStringList{"linha 2, coluna I (Valor)", "linha 4, coluna J (Cliente): difere da linha 3",
                     "linha 5, coluna C (Data de inclusão): valor obrigatório vazio",
                     "3 problemas encontrados; nada foi gravado."};
}

void TestServerTransfer::badFilesAreReportedAndNothingIsWritten() {
  QFETCH(QByteArray, file);
  QFETCH(QStringList, problems);
  TestDatabase database;
  QString output;
  QVERIFY2(importFile(database, "good.csv", kGood, &output), qPrintable(output));
  const QByteArray before = exported(database);
  QVERIFY(!importFile(database, "bad.csv", file, &output));
  for (const QString& problem : problems) {
    QVERIFY2(output.contains(problem), qPrintable(output));
  }
  QVERIFY2(output.contains("nada foi gravado"), qPrintable(output));
  QCOMPARE(exported(database), before);
}

void TestServerTransfer::replaceRewritesWholeQuotes() {
  TestDatabase database;
  QString output;
  QVERIFY(importFile(database, "a.csv", kGood, &output));
  const QString replacement =
      writeFile(database, "b.csv", kTitles + "0001;100;02/03/2025;02;ALIM;DOCE;N;P2;70;Nova\n");
  QVERIFY(!runTool({"import", "--db", database.location(), replacement}, &output));
  QVERIFY2(runTool({"import", "--db", database.location(), "--replace", replacement}, &output),
           qPrintable(output));
  QVERIFY2(output.contains("Orçamentos: 0 novos, 1 substituídos"), qPrintable(output));
  const auto lines = exportedLines(database);
  QCOMPARE(lines.size(), 1u);
  const std::vector<std::string> expected = {
      "0001", "0000000100", "02/03/2025 00:00:00", "Nova", "02", "DOCE", "P2", "70"};
  QCOMPARE((std::vector<std::string>{lines[0][0], lines[0][1], lines[0][4], lines[0][6],
                                     lines[0][13], lines[0][17], lines[0][23], lines[0][26]}),
           expected);
}

void TestServerTransfer::spreadsheetDialectsAreDetected_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("client");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("included");

  const QByteArray titles =
      "Filial;Orçamento;Data de inclusão;Cliente;Grupo;Subgrupo;Produto;Valor";
  QTest::newRow("utf-8, semicolons, decimal comma")
      << titles + "\n1;7;05/03/2025;João Simões;A;S;P;1.234,50\n"
      << "João Simões"
      << "1234,5"
      << "05/03/2025 00:00:00";
  QTest::newRow("byte-order mark, CRLF, grouped thousands")
      << "\xEF\xBB\xBF" + titles + "\r\n0001;7;5/3/2025 9:05;Ana;A;S;P;1.234.567\r\n"
      << "Ana"
      << "1234567"
      << "05/03/2025 09:05:00";
  QTest::newRow("windows-1252")
      << QByteArray(
             "Filial;Or\xE7"
             "amento;Data de inclus\xE3o;Cliente;Grupo;Subgrupo;Produto;Valor\r\n"
             "1;7;05/03/2025;Promo\xE7\xE3o \x96 \x93"
             "especial\x94 \x80;A;S;P;10,25\r\n")
      << "Promoção – “especial” €"
      << "10,25"
      << "05/03/2025 00:00:00";
  QTest::newRow("commas, decimal point, quoted separators and line breaks")
      << QByteArray(
             "Filial,Orçamento,Data de inclusão,Cliente,Grupo,Subgrupo,Produto,Valor\n"
             "1,7,2025-03-05T14:30:00,\"Silva, \"\"Souza\"\"\nEventos\",A,S,P,\"1,234.5\"\n")
      << "Silva, \"Souza\"\nEventos"
      << "1234,5"
      << "05/03/2025 14:30:00";
}

void TestServerTransfer::spreadsheetDialectsAreDetected() {
  QFETCH(QByteArray, file);
  QFETCH(QString, client);
  QFETCH(QString, value);
  QFETCH(QString, included);
  TestDatabase database;
  QString output;
  QVERIFY2(importFile(database, "in.csv", file, &output), qPrintable(output));
  const auto lines = exportedLines(database);
  QCOMPARE(lines.size(), 1u);
  QCOMPARE(QString::fromStdString(lines[0][0]), QStringLiteral("0001"));
  QCOMPARE(QString::fromStdString(lines[0][4]), included);
  QCOMPARE(QString::fromStdString(lines[0][6]), client);
  QCOMPARE(QString::fromStdString(lines[0][26]), value);
}

void TestServerTransfer::fixtureNamesAnExistingQuote() {
  TestDatabase database;
  const QString fixture = QFINDTESTDATA("data/margin_quotes.json");
  QVERIFY(runTool({"fixture", "--db", database.location(), fixture}));
  QString output;
  QVERIFY(!runTool({"fixture", "--db", database.location(), fixture}, &output));
  QVERIFY2(output.contains("orçamento 1: o orçamento 0000000123 já existe."), qPrintable(output));
}

// A quote's lines may span files: a line that disagrees with one of another file names that file.
void TestServerTransfer::disagreementAcrossFilesNamesTheFile() {
  TestDatabase database;
  const QByteArray titles =
      "Filial;Orçamento;Data de inclusão;Opção;Desconto da opção;Grupo;"
      "Subgrupo;Produto;Valor\n";
  const QString first =
      writeFile(database, "a.csv", titles + "0001;100;01/03/2025;01;0;A;S;P1;10\n");
  const QString second = writeFile(database, "b.csv",
                                   titles +
                                       "0001;100;01/03/2025;02;5;A;S;P2;10\n"
                                       "0001;100;01/03/2025;02;7;A;S;P3;10\n"
                                       "0001;100;01/03/2025;01;9;A;S;P4;10\n");
  QString output;
  QVERIFY(!runTool({"import", "--db", database.location(), first, second}, &output));
  QVERIFY2(output.contains(second + ", linha 3, coluna E (Desconto da opção): difere da linha 2, "
                                    "da mesma opção 02"),
           qPrintable(output));
  QVERIFY2(
      output.contains(second + ", linha 4, coluna E (Desconto da opção): difere da linha 2 de " +
                      first + ", da mesma opção 01"),
      qPrintable(output));
}

QTEST_GUILESS_MAIN(TestServerTransfer)
#include "tst_server_transfer.moc"
