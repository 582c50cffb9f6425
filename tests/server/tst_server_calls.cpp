// SPDX-License-Identifier: MIT
// The three calls of "ORE01400.rdmMargem" answered by the real server over HTTP: packet columns,
// row values and order, quotes with no options and with twelve, unknown keys and period bounds.
#include <QTest>
#include <memory>
#include <set>

#include "support/fixture_server.h"
#include "support/rpc_client.h"
#include "support/server_process.h"
#include "support/test_database.h"

using nlohmann::json;
using namespace servertest;

namespace {

// "NAME:type[:size]" for every field of a packet, in order.
QStringList fieldSpecs(const json& packet) {
  QStringList specs;
  for (const auto& field : packet.at("fields")) {
    QString spec = QString::fromStdString(field.at("name").get<std::string>() + ":" +
                                          field.at("type").get<std::string>());
    if (field.contains("size")) spec += ":" + QString::number(field.at("size").get<int>());
    specs << spec;
  }
  return specs;
}

const QStringList kMarginFields = {"CDFILIAL:string:4",
                                   "NRORCAEVENTO:string:10",
                                   "NROPCAITOREV:string:2",
                                   "VRDESCORCEVE:float",
                                   "VRTOTALITEM:float",
                                   "CDGRUPPRODREL:string:10",
                                   "CDSUBGRPRODREL:string:10",
                                   "NMSUBGRPROD:string:40",
                                   "VRPEIMDEVAVEMP:float",
                                   "VRPEIMDEVAVEOU:float",
                                   "VRPEDESFIXASBGR:float",
                                   "IDDIFEFRETESBGR:string:1",
                                   "VRFRETE:float",
                                   "IDDESCONTOSBGR:string:1",
                                   "IDFRETESBGR:string:1"};

// The option numbers of a packet's rows, each run of equal numbers once.
QStringList optionRuns(const json& packet) {
  QStringList runs;
  for (const auto& value : column(packet, "NROPCAITOREV")) {
    const QString option = QString::fromStdString(value.get<std::string>());
    if (runs.isEmpty() || runs.last() != option) runs << option;
  }
  return runs;
}

QString text(const json& row, const json& packet, const std::string& field) {
  return QString::fromStdString(row.at(fieldIndex(packet, field)).get<std::string>());
}

double number(const json& row, const json& packet, const std::string& field) {
  return row.at(fieldIndex(packet, field)).get<double>();
}

}  // namespace

class TestServerCalls : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();

  void packetFields_data();
  void packetFields();
  void lookupListsEveryQuoteByNumber();
  void lookupOfEmptyDatabaseHasNoRows();
  void headerOfQuote();
  void itemsComeCommonFirstThenByOption();
  void marginRowsSumAndWeightPerOptionAndSubgroup();
  void twelveOptionsInAscendingOrderInBothElements();
  void quoteWithoutOptionsHasOnlyCommonRows();
  void quoteWithoutItemsAnswersEmptyPackets();
  void unknownKeysAnswerEmptyPackets_data();
  void unknownKeysAnswerEmptyPackets();
  void periodIncludesBothDays_data();
  void periodIncludesBothDays();
  void periodAtTheEdgesOfTheCalendar_data();
  void periodAtTheEdgesOfTheCalendar();
  void periodRowsCarryTheirQuotesServiceExpense();
  void demoDataIsDeterministicWithItsFixedQuotes();

 private:
  std::unique_ptr<FixtureServer> m_server;
  std::unique_ptr<RpcClient> m_client;
  std::unique_ptr<FixtureServer> m_edgesServer;
};

void TestServerCalls::initTestCase() {
  if (const QString reason = backendUnavailableReason(); !reason.isEmpty()) {
    QSKIP(qPrintable(reason));
  }
  m_server = std::make_unique<FixtureServer>();
  QString output;
  QVERIFY2(m_server->start(QFINDTESTDATA("data/margin_quotes.json"), &output), qPrintable(output));
  m_client = std::make_unique<RpcClient>(m_server->port());
}

void TestServerCalls::cleanupTestCase() {
  m_edgesServer.reset();
  m_server.reset();
}

void TestServerCalls::packetFields_data() {
  QTest::addColumn<QString>("method");
  QTest::addColumn<QString>("params");
  QTest::addColumn<int>("element");  // -1: the result is the packet
  QTest::addColumn<QStringList>("fields");

  QTest::newRow("lookup") << "GetOrca"
                          << R"([""])" << -1
                          << QStringList{"NRORCAEVENTO:string:10", "CDFILIAL:string:4"};
  QTest::newRow("header") << "GetOrca"
                          << R"(["0000000123"])" << -1
                          << QStringList{"CDFILIAL:string:4",      "NRORCAEVENTO:string:10",
                                         "NRSEQORCAEVE:string:2",  "DTEVENTO:datetime",
                                         "NMFANTCLIE:string:50",   "NMCLIEORCEVE:string:50",
                                         "NMTIPOEVENTO:string:30", "NMTPSERVEVEN:string:30",
                                         "QTCONVORCEVE:float",     "NMSALAOEVEN:string:50",
                                         "VRPEDESFIXASERV:float",  "VRPEACRSALEV:float"};
  QTest::newRow("items") << "GetMargem"
                         << R"(["0001","0000000123"])" << 0
                         << QStringList{"CDFILIAL:string:4",        "NRORCAEVENTO:string:10",
                                        "NROPCAITOREV:string:2",    "CDGRUPPRODREL:string:10",
                                        "CDSUBGRPRODREL:string:10", "NMSUBGRPROD:string:40",
                                        "VRTOTALITEM:float",        "VRPEDESFIXASBGR:float",
                                        "VRPEIMDEVAVEOU:float",     "VRPEIMDEVAVEMP:float",
                                        "CDARVPROD:string:20",      "NMPRODUTO:string:50",
                                        "SGUNIDADE:string:10"};
  QTest::newRow("margin rows") << "GetMargem"
                               << R"(["0001","0000000123"])" << 1 << kMarginFields;
  QTest::newRow("period") << "GetMargTLuc"
                          << R"(["0001","2005-03-01T00:00:00","2005-03-31T00:00:00"])" << -1
                          << (kMarginFields + QStringList{"VRPEDESFIXASERV:float"});
  QTest::newRow("empty period") << "GetMargTLuc"
                                << R"(["0001","2001-01-01T00:00:00","2001-01-31T00:00:00"])" << -1
                                << (kMarginFields + QStringList{"VRPEDESFIXASERV:float"});
}

void TestServerCalls::packetFields() {
  QFETCH(QString, method);
  QFETCH(QString, params);
  QFETCH(int, element);
  QFETCH(QStringList, fields);
  const json result = m_client->result(method.toStdString(), json::parse(params.toStdString()));
  const json packet = element < 0 ? result : result.at(element);
  QVERIFY(packet.at("rows").is_array());
  QCOMPARE(fieldSpecs(packet), fields);
  for (const auto& row : packet.at("rows")) QCOMPARE(row.size(), std::size_t(fields.size()));
}

void TestServerCalls::lookupListsEveryQuoteByNumber() {
  const json packet = m_client->result("GetOrca", {""});
  QStringList pairs;
  for (const auto& row : packet.at("rows")) {
    pairs << QString::fromStdString(row[0].get<std::string>() + "/" + row[1].get<std::string>());
  }
  QCOMPARE(pairs, (QStringList{"0000000123/0001", "0000000124/0002", "0000000125/0001",
                               "0000000126/0001", "0000000127/0001", "0000000130/0003",
                               "0000000131/0003", "0000000132/0003"}));
}

void TestServerCalls::lookupOfEmptyDatabaseHasNoRows() {
  TestDatabase empty;
  QVERIFY(runTool({"init", "--db", empty.location()}));
  ServerProcess server;
  QVERIFY(server.start(empty.location()));
  const json packet = RpcClient(server.port()).result("GetOrca", {""});
  QCOMPARE(fieldSpecs(packet), (QStringList{"NRORCAEVENTO:string:10", "CDFILIAL:string:4"}));
  QCOMPARE(packet.at("rows").size(), 0u);
}

void TestServerCalls::headerOfQuote() {
  const json packet = m_client->result("GetOrca", {"0000000123"});
  QCOMPARE(packet.at("rows").size(), 1u);
  const json expected = json::parse(R"(["0001", "0000000123", "01", "2005-04-10T20:00:00",
      "Buffet Estrela", "Maria da Silva", "Casamento", "Buffet completo", 100, "Salão Nobre",
      20, 5])");
  QCOMPARE(QString::fromStdString(packet["rows"][0].dump()),
           QString::fromStdString(expected.dump()));

  const json unknown = m_client->result("GetOrca", {"0000000999"});
  QCOMPARE(fieldSpecs(unknown), fieldSpecs(packet));
  QCOMPARE(unknown.at("rows").size(), 0u);

  // No registered client and no event date, guest count: nulls, not invented values.
  const json bare = m_client->result("GetOrca", {"0000000132"});
  const json row = bare.at("rows").at(0);
  QVERIFY(row.at(fieldIndex(bare, "NMFANTCLIE")).is_null());
  QVERIFY(row.at(fieldIndex(bare, "DTEVENTO")).is_null());
  QVERIFY(row.at(fieldIndex(bare, "QTCONVORCEVE")).is_null());
}

void TestServerCalls::itemsComeCommonFirstThenByOption() {
  const json items = m_client->result("GetMargem", {"0001", "0000000123"}).at(0);
  QStringList order;
  for (const auto& row : items.at("rows")) {
    order << text(row, items, "NROPCAITOREV") + "/" + text(row, items, "CDARVPROD");
  }
  QCOMPARE(order, (QStringList{"/P10", "/P30", "01/P01", "01/P20", "01/P02", "02/P20", "02/P01"}));
  const json coxinha = items["rows"][2];
  QCOMPARE(text(coxinha, items, "NMPRODUTO"), QString("Coxinha"));
  QCOMPARE(text(coxinha, items, "NMSUBGRPROD"), QString("SALGADOS"));
  QCOMPARE(text(coxinha, items, "CDGRUPPRODREL"), QString("ALIM"));
  QCOMPARE(number(coxinha, items, "VRTOTALITEM"), 600.0);
  QCOMPARE(number(coxinha, items, "VRPEIMDEVAVEMP"), 30.0);
  QCOMPARE(number(coxinha, items, "VRPEIMDEVAVEOU"), 10.0);
  QCOMPARE(number(coxinha, items, "VRPEDESFIXASBGR"), 50.0);
}

void TestServerCalls::marginRowsSumAndWeightPerOptionAndSubgroup() {
  const json margins = m_client->result("GetMargem", {"0001", "0000000123"}).at(1);
  struct Expected {
    const char* option;
    const char* subgroup;
    double total, materials, other, expense, freight, discount;
    const char* sharesFreight;
    const char* takesDiscounts;
    const char* isFreight;
  };
  // Odd flags ("" and "X") travel exactly as stored.
  const Expected expected[] = {
      {"", "DOCE", 100, 20, 10, 30, 0, 0, "X", "", "N"},
      {"", "FRET", 80, 0, 0, 10, 0, 0, "N", "N", "S"},
      {"01", "SALG", 800, 35, 12.5, 50, 100, 500, "S", "S", "N"},
      {"01", "REFR", 400, 40, 5, 100, 0, 500, "N", "N", "N"},
      {"02", "REFR", 300, 40, 5, 100, 0, 50, "N", "N", "N"},
      {"02", "SALG", 100, 30, 10, 50, 0, 50, "S", "S", "N"},
  };
  QCOMPARE(margins.at("rows").size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const json& row = margins["rows"][i];
    const Expected& e = expected[i];
    QCOMPARE(text(row, margins, "NROPCAITOREV"), QString(e.option));
    QCOMPARE(text(row, margins, "CDSUBGRPRODREL"), QString(e.subgroup));
    QCOMPARE(number(row, margins, "VRTOTALITEM"), e.total);
    QVERIFY(qFuzzyCompare(1 + number(row, margins, "VRPEIMDEVAVEMP"), 1 + e.materials));
    QVERIFY(qFuzzyCompare(1 + number(row, margins, "VRPEIMDEVAVEOU"), 1 + e.other));
    QCOMPARE(number(row, margins, "VRPEDESFIXASBGR"), e.expense);
    QCOMPARE(number(row, margins, "VRFRETE"), e.freight);
    QCOMPARE(number(row, margins, "VRDESCORCEVE"), e.discount);
    QCOMPARE(text(row, margins, "IDDIFEFRETESBGR"), QString(e.sharesFreight));
    QCOMPARE(text(row, margins, "IDDESCONTOSBGR"), QString(e.takesDiscounts));
    QCOMPARE(text(row, margins, "IDFRETESBGR"), QString(e.isFreight));
    QCOMPARE(text(row, margins, "CDFILIAL"), QString("0001"));
    QCOMPARE(text(row, margins, "NRORCAEVENTO"), QString("0000000123"));
  }
}

void TestServerCalls::twelveOptionsInAscendingOrderInBothElements() {
  const json result = m_client->result("GetMargem", {"0003", "0000000130"});
  QStringList options;
  for (int n = 1; n <= 12; ++n) options << QString("%1").arg(n, 2, 10, QChar('0'));
  QCOMPARE(optionRuns(result[0]), options);
  QCOMPARE(optionRuns(result[1]), options);
  for (const auto& row : result[1]["rows"]) {
    QCOMPARE(number(row, result[1], "VRTOTALITEM"),
             100.0 * text(row, result[1], "NROPCAITOREV").toInt());
  }
}

void TestServerCalls::quoteWithoutOptionsHasOnlyCommonRows() {
  const json result = m_client->result("GetMargem", {"0003", "0000000131"});
  QCOMPARE(optionRuns(result[0]), QStringList{""});
  QCOMPARE(optionRuns(result[1]), QStringList{""});
  QCOMPARE(result[1]["rows"].size(), 2u);
  QCOMPARE(number(result[1]["rows"][0], result[1], "VRDESCORCEVE"), 0.0);
}

void TestServerCalls::quoteWithoutItemsAnswersEmptyPackets() {
  const json result = m_client->result("GetMargem", {"0003", "0000000132"});
  QCOMPARE(result.size(), 2u);
  QCOMPARE(result[0]["rows"].size(), 0u);
  QCOMPARE(result[1]["rows"].size(), 0u);
  QCOMPARE(fieldSpecs(result[1]), kMarginFields);
}

void TestServerCalls::unknownKeysAnswerEmptyPackets_data() {
  QTest::addColumn<QString>("branch");
  QTest::addColumn<QString>("number");
  QTest::newRow("unknown number") << "0001"
                                  << "0000000999";
  QTest::newRow("quote of another branch") << "0002"
                                           << "0000000123";
  QTest::newRow("empty branch") << ""
                                << "0000000123";
  QTest::newRow("unknown branch") << "9999"
                                  << "0000000123";
  QTest::newRow("empty number") << "0001"
                                << "";
  QTest::newRow("accented branch of four characters") << "ÇÃÕÉ"
                                                      << "0000000123";
}

void TestServerCalls::unknownKeysAnswerEmptyPackets() {
  QFETCH(QString, branch);
  QFETCH(QString, number);
  const json result = m_client->result("GetMargem", {branch.toStdString(), number.toStdString()});
  QCOMPARE(result.size(), 2u);
  QCOMPARE(result[0]["rows"].size(), 0u);
  QCOMPARE(result[1]["rows"].size(), 0u);
}

void TestServerCalls::periodIncludesBothDays_data() {
  QTest::addColumn<QString>("branch");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::addColumn<QStringList>("quotes");

  const QStringList march{"0000000123", "0000000127"};
  QTest::newRow("whole month") << "0001"
                               << "2005-03-01T00:00:00"
                               << "2005-03-31T00:00:00" << march;
  QTest::newRow("first day alone") << "0001"
                                   << "2005-03-01T00:00:00"
                                   << "2005-03-01T00:00:00" << QStringList{"0000000123"};
  QTest::newRow("last day alone") << "0001"
                                  << "2005-03-31T00:00:00"
                                  << "2005-03-31T00:00:00" << QStringList{"0000000127"};
  QTest::newRow("times of day ignored") << "0001"
                                        << "2005-03-01T23:59:59"
                                        << "2005-03-31T00:00:01" << march;
  QTest::newRow("neighbour days") << "0001"
                                  << "2005-02-28T00:00:00"
                                  << "2005-04-01T00:00:00"
                                  << QStringList{"0000000123", "0000000125", "0000000126",
                                                 "0000000127"};
  QTest::newRow("inverted") << "0001"
                            << "2005-03-31T00:00:00"
                            << "2005-03-01T00:00:00" << QStringList{};
  QTest::newRow("other branch") << "0002"
                                << "2005-03-01T00:00:00"
                                << "2005-03-31T00:00:00" << QStringList{"0000000124"};
  QTest::newRow("unknown branch") << "0042"
                                  << "2005-03-01T00:00:00"
                                  << "2005-03-31T00:00:00" << QStringList{};
}

void TestServerCalls::periodIncludesBothDays() {
  QFETCH(QString, branch);
  QFETCH(QString, first);
  QFETCH(QString, last);
  QFETCH(QStringList, quotes);
  const json packet = m_client->result(
      "GetMargTLuc", {branch.toStdString(), first.toStdString(), last.toStdString()});
  QStringList seen;
  for (const auto& value : column(packet, "NRORCAEVENTO")) {
    const QString number = QString::fromStdString(value.get<std::string>());
    if (!seen.contains(number)) seen << number;
  }
  seen.sort();  // a period's rows come in no particular order
  QCOMPARE(seen, quotes);
}

void TestServerCalls::periodAtTheEdgesOfTheCalendar_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("last");
  QTest::addColumn<QStringList>("quotes");

  // Inclusion times in the file: 201 9999-12-30T23:59:59, 202 9999-12-31T00:00:00,
  // 203 9999-12-31T23:59:59, 204 0001-01-01T00:00:00, 205 2005-03-31T23:59:59,
  // 206 2005-04-01T00:00:00.
  QTest::newRow("last day of the calendar")
      << "9999-12-31T00:00:00"
      << "9999-12-31T00:00:00" << QStringList{"0000000202", "0000000203"};
  QTest::newRow("period ending on the last day")
      << "9999-12-30T00:00:00"
      << "9999-12-31T00:00:00" << QStringList{"0000000201", "0000000202", "0000000203"};
  QTest::newRow("first day of the calendar") << "0001-01-01T00:00:00"
                                             << "0001-01-01T00:00:00" << QStringList{"0000000204"};
  QTest::newRow("last second of a day, not the next midnight")
      << "2005-03-31T00:00:00"
      << "2005-03-31T00:00:00" << QStringList{"0000000205"};
  QTest::newRow("midnight opens the day") << "2005-04-01T12:00:00"
                                          << "2005-04-01T00:00:00" << QStringList{"0000000206"};
  QTest::newRow("whole calendar") << "0001-01-01T00:00:00"
                                  << "9999-12-31T23:59:59"
                                  << QStringList{"0000000201", "0000000202", "0000000203",
                                                 "0000000204", "0000000205", "0000000206"};
}

void TestServerCalls::periodAtTheEdgesOfTheCalendar() {
  QFETCH(QString, first);
  QFETCH(QString, last);
  QFETCH(QStringList, quotes);
  if (!m_edgesServer) {
    m_edgesServer = std::make_unique<FixtureServer>();
    QString output;
    QVERIFY2(m_edgesServer->start(QFINDTESTDATA("data/calendar_edges.json"), &output),
             qPrintable(output));
  }
  const json packet = RpcClient(m_edgesServer->port())
                          .result("GetMargTLuc", {"0001", first.toStdString(), last.toStdString()});
  QStringList seen;
  for (const auto& value : column(packet, "NRORCAEVENTO")) {
    seen << QString::fromStdString(value.get<std::string>());
  }
  seen.sort();
  QCOMPARE(seen, quotes);
}

void TestServerCalls::periodRowsCarryTheirQuotesServiceExpense() {
  const json packet =
      m_client->result("GetMargTLuc", {"0001", "2005-03-01T00:00:00", "2005-03-31T00:00:00"});
  QCOMPARE(packet["rows"].size(), 7u);  // six margin rows of 0000000123, one of 0000000127
  for (const auto& row : packet["rows"]) {
    const bool first = text(row, packet, "NRORCAEVENTO") == "0000000123";
    QCOMPARE(number(row, packet, "VRPEDESFIXASERV"), first ? 20.0 : 25.0);
  }
  // A subgroup whose items are worth nothing still shows its costs: the plain mean.
  for (const auto& row : packet["rows"]) {
    if (text(row, packet, "NRORCAEVENTO") != "0000000127") continue;
    QCOMPARE(number(row, packet, "VRTOTALITEM"), 0.0);
    QCOMPARE(number(row, packet, "VRPEIMDEVAVEMP"), 40.0);
  }
}

void TestServerCalls::demoDataIsDeterministicWithItsFixedQuotes() {
  TestDatabase first, second;
  QString output;
  QVERIFY2(runTool({"demo", "--db", first.location(), "--seed", "7"}, &output), qPrintable(output));
  QVERIFY2(runTool({"demo", "--db", second.location(), "--seed", "7"}, &output),
           qPrintable(output));
  ServerProcess a, b;
  QVERIFY(a.start(first.location()));
  QVERIFY(b.start(second.location()));
  const RpcClient ca(a.port()), cb(b.port());
  const json period = {"0001", "2025-01-01T00:00:00", "2026-12-31T00:00:00"};
  const json fromA = ca.result("GetMargTLuc", period);
  QVERIFY(fromA["rows"].size() > 100);
  QCOMPARE(fromA.dump(), cb.result("GetMargTLuc", period).dump());
  QCOMPARE(ca.result("GetOrca", {""})["rows"].size(), 200u);

  const json three = ca.result("GetMargem", {"0001", "0000000001"});
  QCOMPARE(optionRuns(three[1]), (QStringList{"", "01", "02", "03"}));
  QCOMPARE(optionRuns(ca.result("GetMargem", {"0001", "0000000002"})[1]), QStringList{""});
  QCOMPARE(optionRuns(ca.result("GetMargem", {"0001", "0000000003"})[0]).size(), 12);
  QCOMPARE(ca.result("GetMargem", {"0002", "0000000004"})[1]["rows"].size(), 0u);
  QCOMPARE(optionRuns(ca.result("GetMargem", {"0002", "0000000005"})[1]).size(), 11);
}

QTEST_GUILESS_MAIN(TestServerCalls)
#include "tst_server_calls.moc"
