// SPDX-License-Identifier: MIT
// Benchmark of margem-server, on SQLite and (when MARGEM_TEST_PG names a server) PostgreSQL:
//  - GetMargTLuc over a period of one million margin rows, timed as a client sees it (request
//    sent to last byte parsed, the period mean computed from the rows), against the fastest
//    single SQL query for the same mean over the base tables, in the same database;
//  - 20 clients calling GetMargem at once for a bounded time (MARGEM_BENCH_SECONDS, 60 by
//    default): calls per second, 99th percentile latency, errors;
//  - on SQLite, the connection model: 500 clients on kept-alive connections calling GetMargem for
//    30 s (the share of them answered all along, never waiting over 5 s), the server's memory
//    with 1,000 idle connections, and a fresh client's p99 while 1,000 idle and 64
//    one-byte-a-second connections are held, against the same p99 without them. The clients
//    connect from 127.0.0.2 and up, so that the cap per client address does not stop them.
// MARGEM_BENCH_ROWS changes the period's size. Prints one `name: value unit` line per figure.
#include <httplib.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "connection_attack.h"
#include "database.h"
#include "load_clients.h"
#include "measure.h"
#include "open_files_limit.h"
#include "period_packet_parser.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace margem::server;

constexpr int kRepetitions = 3;
constexpr int kLoadClients = 20;
constexpr int kKeepAliveClients = 500;
constexpr double kKeepAliveSeconds = 30;
constexpr int kIdleConnections = 1000;
constexpr int kSlowConnections = 64;
constexpr int kFreshCalls = 2000;
constexpr double kFreshSeconds = 15;
const std::string kPeriodBranch = "0099";
const std::string kPeriodFirst = "2025-01-01T00:00:00";
const std::string kPeriodLast = "2025-12-31T00:00:00";

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

using bench::Median;
using bench::Print;

QString serverBinary() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/margem-server");
}

void runTool(const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start(serverBinary(), arguments);
  if (!process.waitForFinished(-1) || process.exitCode() != 0) {
    throw std::runtime_error("margem-server " + arguments.join(' ').toStdString() + " failed");
  }
}

class Server {
 public:
  explicit Server(const QString& database) {
    // The server logs a line per call; only the figures are wanted here.
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(serverBinary(),
                    {"serve", "--db", database, "--listen", "127.0.0.1:0", "--threads", "24"});
    static const QRegularExpression serving("atendendo em 127\\.0\\.0\\.1:(\\d+)");
    QString output;
    while (m_process.waitForReadyRead(30000)) {
      output += QString::fromUtf8(m_process.readAllStandardOutput());
      const auto match = serving.match(output);
      if (match.hasMatch()) {
        m_port = match.captured(1).toInt();
        return;
      }
    }
    throw std::runtime_error("margem-server did not start");
  }
  ~Server() {
    m_process.terminate();
    if (!m_process.waitForFinished(30000)) m_process.kill();
    m_process.waitForFinished(5000);
  }
  int port() const { return m_port; }
  qint64 pid() const { return m_process.processId(); }

 private:
  QProcess m_process;
  int m_port = 0;
};

struct Timed {
  double seconds;
  double mean;
  std::size_t rows;
};

Timed timePeriodCall(int port) {
  const nlohmann::json request = {{"jsonrpc", "2.0"},
                                  {"id", 1},
                                  {"method", "GetMargTLuc"},
                                  {"params", {kPeriodBranch, kPeriodFirst, kPeriodLast}}};
  httplib::Client client("127.0.0.1", port);
  client.set_read_timeout(600);
  benchserver::PeriodPacketParser parser;
  httplib::Request req;
  req.method = "POST";
  req.path = "/rpc/ORE01400.rdmMargem";
  req.set_header("Content-Type", "application/json");
  req.body = request.dump();
  std::string head;  // the envelope before the packet, for an error reply
  req.content_receiver = [&](const char* data, std::size_t length, std::uint64_t, std::uint64_t) {
    if (head.size() < 64) head.append(data, std::min<std::size_t>(length, 64));
    parser.feed(std::string_view(data, length));
    return true;
  };
  const auto start = Clock::now();
  httplib::Response res;
  httplib::Error error = httplib::Error::Success;
  if (!client.send(req, res, error) || res.status != 200) {
    throw std::runtime_error("GetMargTLuc failed: " + head);
  }
  parser.finish();
  return {secondsSince(start), parser.meanProfitPercent(), parser.rows()};
}

// The period mean straight from the base tables: per quote, option and subgroup the summed
// value and value-weighted cost percentages, then each row's profit percentage averaged. Two
// ways to write it (names joined before or after summing); each database is timed with both and
// the faster one counts.
const std::string kPeriodFilter =
    " WHERE q.branch_id = (SELECT id FROM branch WHERE code = ?)"
    " AND q.included_at >= ? AND q.included_at <= ?";
const std::string kSqlMeans[] = {
    "SELECT AVG(CASE WHEN m.total > 0 THEN 100 - m.costs / m.total"
    " - m.service * m.expense / 100 ELSE 0 END), COUNT(*)"
    " FROM (SELECT SUM(i.value) AS total, SUM(i.value * (i.materials_pct + i.other_pct)) AS costs,"
    " s.expense_pct AS expense, COALESCE(st.fixed_expense_pct, 0) AS service"
    " FROM quote q JOIN quote_item i ON i.quote_id = q.id"
    " JOIN product p ON p.id = i.product_id"
    " JOIN product_subgroup s ON s.id = p.subgroup_id"
    " LEFT JOIN service_type st ON st.id = q.service_type_id" +
        kPeriodFilter + " GROUP BY q.id, i.option_id, s.id, st.id) m",
    "SELECT AVG(CASE WHEN m.total > 0 THEN 100 - m.costs / m.total"
    " - COALESCE(st.fixed_expense_pct, 0) * s.expense_pct / 100 ELSE 0 END), COUNT(*)"
    " FROM (SELECT i.quote_id, p.subgroup_id, SUM(i.value) AS total,"
    " SUM(i.value * (i.materials_pct + i.other_pct)) AS costs"
    " FROM quote q JOIN quote_item i ON i.quote_id = q.id"
    " JOIN product p ON p.id = i.product_id" +
        kPeriodFilter +
        " GROUP BY i.quote_id, i.option_id, p.subgroup_id) m"
        " JOIN product_subgroup s ON s.id = m.subgroup_id"
        " JOIN quote q ON q.id = m.quote_id"
        " LEFT JOIN service_type st ON st.id = q.service_type_id",
};

Timed timeSqlMean(Connection& db, const std::string& sql) {
  const auto start = Clock::now();
  auto cursor =
      db.query(sql, {kPeriodBranch, kPeriodFirst, std::string("2025-12-31T23:59:59.999999")});
  const double mean = cursor->real(0);
  const auto rows = static_cast<std::size_t>(cursor->integer(1));
  return {secondsSince(start), mean, rows};
}

// Resident memory of a process, from /proc.
double residentMb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
  }
  return 0;
}

std::vector<std::string> loopbackAddresses(int first, int count) {
  std::vector<std::string> addresses;
  for (int i = first; i < first + count; ++i) addresses.push_back("127.0.0." + std::to_string(i));
  return addresses;
}

void benchConnections(const Server& server, const benchserver::QuoteKeys& quotes, double seconds) {
  const auto kept =
      benchserver::runGetMargemLoad(server.port(), quotes, kKeepAliveClients,
                                    std::min(seconds, kKeepAliveSeconds), loopbackAddresses(2, 3));
  Print("keepalive_clients_served", double(kept.clientsServed) / kKeepAliveClients, "share", 2);
  Print("keepalive_p99", kept.p99Ms, "ms", 2);
  Print("keepalive_calls", kept.calls / kept.seconds, "calls/s", 0);
  Print("keepalive_errors", static_cast<double>(kept.errors), "count", 0);

  Print("rss_no_connections_mb", residentMb(server.pid()), "MB", 1);
  {
    benchserver::ConnectionAttack idle(server.port(), kIdleConnections, 0,
                                       loopbackAddresses(10, 6));
    Print("idle_connections_open", idle.waitOpen(30), "count", 0);
    Print("rss_1000_idle_mb", residentMb(server.pid()), "MB", 1);
  }

  const auto calm =
      benchserver::runFreshConnectionCalls(server.port(), quotes, kFreshCalls, kFreshSeconds);
  benchserver::ConnectionAttack attack(server.port(), kIdleConnections, kSlowConnections,
                                       loopbackAddresses(20, 6));
  Print("attack_connections_open", attack.waitOpen(30), "count", 0);
  const auto attacked =
      benchserver::runFreshConnectionCalls(server.port(), quotes, kFreshCalls, kFreshSeconds);
  Print("fresh_p99", calm.p99Ms, "ms", 2);
  Print("attack_fresh_p99", attacked.p99Ms, "ms", 2);
  Print("attack_p99_ratio", attacked.p99Ms / calm.p99Ms, "ratio", 2);
  Print("attack_fresh_errors", static_cast<double>(calm.errors + attacked.errors), "count", 0);
}

benchserver::QuoteKeys demoQuotes(int port) {
  httplib::Client client("127.0.0.1", port);
  const auto reply = client.Post("/rpc/ORE01400.rdmMargem",
                                 R"({"jsonrpc":"2.0","id":1,"method":"GetOrca","params":[""]})",
                                 "application/json");
  if (!reply) throw std::runtime_error("GetOrca failed");
  const auto lookup = nlohmann::json::parse(reply->body);
  benchserver::QuoteKeys quotes;
  for (const auto& row : lookup.at("result").at("rows")) {
    if (row[1] != kPeriodBranch) quotes.emplace_back(row[1], row[0]);
  }
  if (quotes.empty()) throw std::runtime_error("the demo quotes are missing");
  return quotes;
}

void benchBackend(const std::string& name, const QString& location, long long marginRows,
                  double loadSeconds, bool connectionFigures) {
  auto start = Clock::now();
  runTool(
      {"demo", "--db", location, "--quotes", "200", "--margin-rows", QString::number(marginRows)});
  Print(name + "_generate_period", secondsSince(start), "s", 3);

  Server server(location);
  auto db = openConnection(location.toStdString(), OpenMode::ExistingOnly);
  timePeriodCall(server.port());  // warms both paths' caches
  for (const auto& sql : kSqlMeans) timeSqlMean(*db, sql);
  std::vector<double> callTimes;
  std::vector<std::vector<double>> sqlTimes(std::size(kSqlMeans));
  Timed call{};
  for (int r = 0; r < kRepetitions; ++r) {
    call = timePeriodCall(server.port());
    callTimes.push_back(call.seconds);
    for (std::size_t q = 0; q < std::size(kSqlMeans); ++q) {
      const Timed sql = timeSqlMean(*db, kSqlMeans[q]);
      if (call.rows != sql.rows ||
          std::fabs(call.mean - sql.mean) > 1e-6 * std::max(1.0, std::fabs(sql.mean))) {
        throw std::runtime_error(name + ": the call and the SQL disagree on the period mean");
      }
      sqlTimes[q].push_back(sql.seconds);
    }
  }
  double fastestSql = Median(sqlTimes[0]);
  for (const auto& times : sqlTimes) fastestSql = std::min(fastestSql, Median(times));
  Print(name + "_period_rows", static_cast<double>(call.rows), "rows", 0);
  Print(name + "_period_mean", call.mean, "%", 4);
  Print(name + "_period_call", Median(callTimes), "s", 3);
  Print(name + "_period_sql", fastestSql, "s", 3);
  Print(name + "_period_vs_sql", Median(callTimes) / fastestSql, "ratio", 2);

  const auto load = benchserver::runGetMargemLoad(server.port(), demoQuotes(server.port()),
                                                  kLoadClients, loadSeconds);
  Print(name + "_getmargem_20_clients", load.calls / load.seconds, "calls/s", 0);
  Print(name + "_getmargem_p99", load.p99Ms, "ms", 2);
  Print(name + "_getmargem_errors", static_cast<double>(load.errors), "count", 0);
  for (const auto& [kind, count] : load.failures) {
    std::printf("%s_getmargem_failure: %ld x %s", name.c_str(), count, kind.c_str());
    if (const auto sample = load.samples.find(kind); sample != load.samples.end()) {
      std::printf(" (%s)", sample->second.c_str());
    }
    std::printf("\n");
  }
  std::fflush(stdout);
  if (connectionFigures) benchConnections(server, demoQuotes(server.port()), loadSeconds);
}

double environmentNumber(const char* name, double fallback) {
  const QString text = qEnvironmentVariable(name);
  bool ok = false;
  const double value = text.toDouble(&ok);
  return ok && value > 0 ? value : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  margem::server::raiseOpenFilesLimit();  // the connection figures hold over a thousand sockets
  const auto rows = static_cast<long long>(environmentNumber("MARGEM_BENCH_ROWS", 1000000));
  const double seconds = environmentNumber("MARGEM_BENCH_SECONDS", 60);
  try {
    QTemporaryDir dir;
    benchBackend("sqlite", "sqlite:" + dir.filePath("bench.db"), rows, seconds, true);

    const QString admin = qEnvironmentVariable("MARGEM_TEST_PG");
    if (admin.isEmpty()) {
      std::cerr << "bench_server: MARGEM_TEST_PG is not set, PostgreSQL skipped" << std::endl;
      return 0;
    }
    const std::string name = "margem_bench_" + std::to_string(QCoreApplication::applicationPid());
    auto adminConnection = openConnection(admin.toStdString(), OpenMode::ExistingOnly);
    adminConnection->execute("CREATE DATABASE " + name);
    try {
      benchBackend("postgres", admin + " dbname=" + QString::fromStdString(name), rows, seconds,
                   false);
    } catch (...) {
      adminConnection->execute("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
      throw;
    }
    adminConnection->execute("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
  } catch (const std::exception& error) {
    std::cerr << "bench_server: " << error.what() << std::endl;
    return 1;
  }
  return 0;
}
