// SPDX-License-Identifier: MIT
// Text in the database that is not UTF-8 (another tool wrote it, byte for byte, into a SQLite
// file): the server still answers a reply the client can read, every ill-formed sequence shown
// as one U+FFFD, and cut to the column's width in characters.
#include <sqlite3.h>

#include <QByteArray>
#include <QTest>
#include <memory>

#include "support/fixture_server.h"
#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

const QByteArray kReplacement = "\xEF\xBF\xBD";

// Writes the bytes as the name of subgroup SALG, unchecked.
bool storeSubgroupName(const QString& location, const QByteArray& name) {
  sqlite3* db = nullptr;
  const QByteArray path = location.mid(QStringLiteral("sqlite:").size()).toUtf8();
  bool ok = sqlite3_open(path.constData(), &db) == SQLITE_OK;
  sqlite3_stmt* statement = nullptr;
  ok = ok && sqlite3_prepare_v2(db, "UPDATE product_subgroup SET name = ? WHERE code = 'SALG'", -1,
                                &statement, nullptr) == SQLITE_OK;
  ok = ok && sqlite3_bind_text(statement, 1, name.constData(), int(name.size()),
                               SQLITE_TRANSIENT) == SQLITE_OK;
  ok = ok && sqlite3_step(statement) == SQLITE_DONE && sqlite3_changes(db) == 1;
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return ok;
}

// The subgroup name of the SALG rows of a packet, each time it appears.
QList<QByteArray> subgroupNames(const json& packet) {
  QList<QByteArray> names;
  const int code = fieldIndex(packet, "CDSUBGRPRODREL");
  const int name = fieldIndex(packet, "NMSUBGRPROD");
  for (const auto& row : packet.at("rows")) {
    if (row.at(code) == "SALG") names << QByteArray::fromStdString(row.at(name));
  }
  return names;
}

}  // namespace

class TestServerStoredText : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();

  void illFormedTextIsReplaced_data();
  void illFormedTextIsReplaced();

 private:
  std::unique_ptr<FixtureServer> m_server;
};

void TestServerStoredText::initTestCase() {
  if (backendUnderTest() != Backend::Sqlite) {
    QSKIP("PostgreSQL refuses text that is not UTF-8 before it is stored");
  }
  m_server = std::make_unique<FixtureServer>();
  QString output;
  QVERIFY2(m_server->start(QFINDTESTDATA("data/margin_quotes.json"), &output), qPrintable(output));
}

void TestServerStoredText::cleanupTestCase() { m_server.reset(); }

void TestServerStoredText::illFormedTextIsReplaced_data() {
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<QByteArray>("shown");  // NMSUBGRPROD is 40 characters wide

  const QByteArray r = kReplacement;
  QTest::newRow("well-formed accents") << QByteArray("SALGADOS ÇÃÕ") << QByteArray("SALGADOS ÇÃÕ");
  QTest::newRow("Latin-1 text") << QByteArray("S\xE3o Jo\xE3o") << "S" + r + "o Jo" + r + "o";
  QTest::newRow("lone continuation byte") << QByteArray(
                                                 "A\x80"
                                                 "B")
                                          << "A" + r + "B";
  QTest::newRow("sequence cut at the end") << QByteArray("A\xC3") << "A" + r;
  QTest::newRow("sequence cut by a letter") << QByteArray("\xE2\x82X") << r + "X";
  QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << r + r;
  QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << r + r + r;
  QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << r + r + r + r;
  QTest::newRow("bytes FE and FF") << QByteArray("\xFE\xFF") << r + r;
  QTest::newRow("four-byte character kept")
      << QByteArray("\xF0\x9F\x8D\xB0") << QByteArray("\xF0\x9F\x8D\xB0");
  QTest::newRow("replacement counts one character at the cut")
      << QByteArray(39, 'A') + "\xFF\xFF" << QByteArray(39, 'A') + r;
  QTest::newRow("accents count one character at the cut")
      << QByteArray(39, 'A') + "ÇÃ" << QByteArray(39, 'A') + "Ç";
  QTest::newRow("control byte escaped") << QByteArray("A\x01\xFF") << "A\x01" + r;
}

void TestServerStoredText::illFormedTextIsReplaced() {
  QFETCH(QByteArray, stored);
  QFETCH(QByteArray, shown);
  QVERIFY(storeSubgroupName(m_server->location(), stored));
  const HttpReply reply = RpcClient(m_server->port()).call("GetMargem", {"0001", "0000000123"});
  QCOMPARE(reply.status, 200);
  QVERIFY2(reply.body.is_object(), "the reply is JSON the client can read");
  const json result = reply.body.at("result");
  QCOMPARE(subgroupNames(result.at(0)), QList<QByteArray>(3, shown));  // item rows
  QCOMPARE(subgroupNames(result.at(1)), QList<QByteArray>(2, shown));  // margin rows
}

QTEST_GUILESS_MAIN(TestServerStoredText)
#include "tst_server_stored_text.moc"
