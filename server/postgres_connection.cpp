// SPDX-License-Identifier: MIT
#include "postgres_connection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cstring>

#include "postgres_cursor.h"
#include "postgres_portal.h"
#include "postgres_statement.h"

namespace margem::server {
namespace {

constexpr const char* kConnectTimeoutSeconds = "5";

[[noreturn]] void fail(PGconn* conn, const std::string& what) {
  throw DatabaseError(what + ": " + PQerrorMessage(conn));
}

// Rows travel in COPY's text format: tab-separated, \N for null, backslash escapes.
class PostgresBulkInsert : public BulkInsert {
 public:
  PostgresBulkInsert(PGconn* conn, const std::string& sql) : m_conn(conn) {
    PgResult result(PQexec(conn, sql.c_str()));
    if (PQresultStatus(result.get()) != PGRES_COPY_IN) fail(conn, "copy");
    m_buffer.reserve(kFlushBytes + 4096);
  }
  ~PostgresBulkInsert() override {
    if (!m_finished) PQputCopyEnd(m_conn, "abandoned");
  }
  void add(const SqlParams& row) override {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i) m_buffer += '\t';
      if (std::holds_alternative<std::nullptr_t>(row[i])) {
        m_buffer += "\\N";
        continue;
      }
      for (const char c : valueText(row[i])) {
        switch (c) {
          case '\\':
            m_buffer += "\\\\";
            break;
          case '\t':
            m_buffer += "\\t";
            break;
          case '\n':
            m_buffer += "\\n";
            break;
          case '\r':
            m_buffer += "\\r";
            break;
          default:
            m_buffer += c;
        }
      }
    }
    m_buffer += '\n';
    if (m_buffer.size() >= kFlushBytes) flush();
  }
  void finish() override {
    flush();
    m_finished = true;
    if (PQputCopyEnd(m_conn, nullptr) != 1) fail(m_conn, "copy end");
    PgResult result(PQgetResult(m_conn));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) fail(m_conn, "copy");
    while (PGresult* extra = PQgetResult(m_conn)) PQclear(extra);
  }

 private:
  static constexpr std::size_t kFlushBytes = 1 << 20;
  void flush() {
    if (m_buffer.empty()) return;
    if (PQputCopyData(m_conn, m_buffer.data(), static_cast<int>(m_buffer.size())) != 1) {
      fail(m_conn, "copy data");
    }
    m_buffer.clear();
  }
  PGconn* m_conn;
  std::string m_buffer;
  bool m_finished = false;
};

}  // namespace

PostgresConnection::PostgresConnection(const std::string& conninfo) {
  const char* keys[] = {"dbname", "connect_timeout", "application_name", nullptr};
  const char* values[] = {conninfo.c_str(), kConnectTimeoutSeconds, "margem-server", nullptr};
  m_conn.reset(PQconnectdbParams(keys, values, 1));
  if (PQstatus(m_conn.get()) != CONNECTION_OK) {
    throw DatabaseError(std::string("connect: ") + PQerrorMessage(m_conn.get()));
  }
  execute("SET client_min_messages = warning");
}

PostgresConnection::~PostgresConnection() = default;

void PostgresConnection::Finish::operator()(pg_conn* conn) const { PQfinish(conn); }

// A connection left inside a transaction (a portal that could not end it) is not reused.
bool PostgresConnection::healthy() const {
  return PQstatus(m_conn.get()) == CONNECTION_OK &&
         PQtransactionStatus(m_conn.get()) == PQTRANS_IDLE;
}

bool PostgresConnection::usable() {
  if (!healthy()) return false;
  pollfd socket{PQsocket(m_conn.get()), POLLIN, 0};
  return ::poll(&socket, 1, 0) == 0;
}

bool PostgresConnection::readOnly() const {
  for (const char* setting : {"in_hot_standby", "default_transaction_read_only"}) {
    const char* value = PQparameterStatus(m_conn.get(), setting);
    if (value && std::strcmp(value, "on") == 0) return true;
  }
  return false;
}

void PostgresConnection::execute(const std::string& sql) {
  PgResult result(PQexec(m_conn.get(), sql.c_str()));
  const auto status = PQresultStatus(result.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) fail(m_conn.get(), "execute");
}

std::unique_ptr<Cursor> PostgresConnection::query(const std::string& sql, const SqlParams& params) {
  return std::make_unique<PostgresCursor>(runStatement(m_conn.get(), sql, params));
}

std::unique_ptr<Cursor> PostgresConnection::queryInBatches(const std::string& sql,
                                                           const SqlParams& params) {
  auto portal = std::make_unique<PostgresPortal>(m_conn.get());
  PGresult* first = portal->open(sql, params);
  return std::make_unique<PostgresCursor>(first, std::move(portal));
}

std::int64_t PostgresConnection::insert(const std::string& sql, const SqlParams& params) {
  PostgresCursor cursor(runStatement(m_conn.get(), sql + " RETURNING id", params));
  if (cursor.atEnd()) throw DatabaseError("insert returned no id");
  return cursor.integer(0);
}

std::unique_ptr<BulkInsert> PostgresConnection::bulkInsert(
    const std::string& table, const std::vector<std::string>& columns) {
  std::string names;
  for (const auto& column : columns) names += (names.empty() ? "" : ", ") + column;
  return std::make_unique<PostgresBulkInsert>(m_conn.get(),
                                              "COPY " + table + " (" + names + ") FROM STDIN");
}

}  // namespace margem::server
