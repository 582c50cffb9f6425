// SPDX-License-Identifier: MIT
#include "postgres_connection.h"

#include <libpq-fe.h>

#include <bit>
#include <charconv>
#include <cstdint>

namespace margem::server {
namespace {

constexpr const char* kConnectTimeoutSeconds = "5";

[[noreturn]] void fail(PGconn* conn, const std::string& what) {
  throw DatabaseError(what + ": " + PQerrorMessage(conn));
}

// Owns one PGresult.
struct Result {
  PGresult* handle = nullptr;
  explicit Result(PGresult* r) : handle(r) {}
  ~Result() { PQclear(handle); }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
};

std::string valueText(const SqlValue& value) {
  if (const auto* n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
  if (const auto* d = std::get_if<double>(&value)) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *d).ptr;
    return std::string(buffer, end);
  }
  return std::get<std::string>(value);
}

// Results come in binary form: numbers travel as their 8 bytes instead of being printed by the
// database and read back here, which dominates a million-row reply.
PGresult* run(PGconn* conn, const std::string& sql, const SqlParams& params) {
  std::vector<std::string> texts;
  std::vector<const char*> values;
  texts.reserve(params.size());
  for (const auto& param : params) {
    if (std::holds_alternative<std::nullptr_t>(param)) {
      texts.emplace_back();
      values.push_back(nullptr);
    } else {
      texts.push_back(valueText(param));
      values.push_back(texts.back().c_str());
    }
  }
  const std::string numbered = numberPlaceholders(sql);
  PGresult* result = PQexecParams(conn, numbered.c_str(), static_cast<int>(values.size()), nullptr,
                                  values.data(), nullptr, nullptr, 1);
  const auto status = PQresultStatus(result);
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
    const std::string message = PQresultErrorMessage(result);
    PQclear(result);
    throw DatabaseError("query: " + message);
  }
  return result;
}

// Column type numbers of the PostgreSQL catalog that the queries return.
enum TypeOid : Oid {
  kBool = 16,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043
};

std::uint64_t bigEndian(const char* bytes, int size) {
  std::uint64_t value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

class PostgresCursor : public Cursor {
 public:
  explicit PostgresCursor(PGresult* result) : m_result(result), m_rows(PQntuples(result)) {
    for (int column = 0; column < PQnfields(result); ++column) {
      switch (PQftype(result, column)) {
        case kBool:
        case kName:
        case kInt8:
        case kInt2:
        case kInt4:
        case kText:
        case kFloat4:
        case kFloat8:
        case kBpchar:
        case kVarchar:
          break;
        default:
          throw DatabaseError("unexpected column type " + std::to_string(PQftype(result, column)));
      }
    }
  }
  bool atEnd() const override { return m_row >= m_rows; }
  void next() override { ++m_row; }
  bool isNull(int column) const override { return PQgetisnull(m_result.handle, m_row, column); }
  std::string_view text(int column) const override {
    return {PQgetvalue(m_result.handle, m_row, column),
            static_cast<std::size_t>(PQgetlength(m_result.handle, m_row, column))};
  }
  double real(int column) const override {
    if (isNull(column)) return 0;
    const char* bytes = PQgetvalue(m_result.handle, m_row, column);
    switch (PQftype(m_result.handle, column)) {
      case kFloat8:
        return std::bit_cast<double>(bigEndian(bytes, 8));
      case kFloat4:
        return std::bit_cast<float>(static_cast<std::uint32_t>(bigEndian(bytes, 4)));
      default:
        return static_cast<double>(integer(column));
    }
  }
  std::int64_t integer(int column) const override {
    if (isNull(column)) return 0;
    const char* bytes = PQgetvalue(m_result.handle, m_row, column);
    switch (PQftype(m_result.handle, column)) {
      case kInt8:
        return static_cast<std::int64_t>(bigEndian(bytes, 8));
      case kInt4:
        return static_cast<std::int32_t>(bigEndian(bytes, 4));
      case kInt2:
        return static_cast<std::int16_t>(bigEndian(bytes, 2));
      case kBool:
        return bytes[0] != 0;
      case kFloat8:
      case kFloat4:
        return static_cast<std::int64_t>(real(column));
      default: {
        const auto value = text(column);
        std::int64_t number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        return number;
      }
    }
  }

 private:
  Result m_result;
  int m_rows;
  int m_row = 0;
};

// Rows travel in COPY's text format: tab-separated, \N for null, backslash escapes.
class PostgresBulkInsert : public BulkInsert {
 public:
  PostgresBulkInsert(PGconn* conn, const std::string& sql) : m_conn(conn) {
    Result result(PQexec(conn, sql.c_str()));
    if (PQresultStatus(result.handle) != PGRES_COPY_IN) fail(conn, "copy");
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
    Result result(PQgetResult(m_conn));
    if (PQresultStatus(result.handle) != PGRES_COMMAND_OK) fail(m_conn, "copy");
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

std::string numberPlaceholders(const std::string& sql) {
  std::string out;
  out.reserve(sql.size() + 16);
  int next = 1;
  bool quoted = false;
  for (const char c : sql) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      out += '$';
      out += std::to_string(next++);
    } else {
      out += c;
    }
  }
  return out;
}

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

bool PostgresConnection::healthy() const { return PQstatus(m_conn.get()) == CONNECTION_OK; }

void PostgresConnection::execute(const std::string& sql) {
  Result result(PQexec(m_conn.get(), sql.c_str()));
  const auto status = PQresultStatus(result.handle);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) fail(m_conn.get(), "execute");
}

std::unique_ptr<Cursor> PostgresConnection::query(const std::string& sql, const SqlParams& params) {
  return std::make_unique<PostgresCursor>(run(m_conn.get(), sql, params));
}

std::int64_t PostgresConnection::insert(const std::string& sql, const SqlParams& params) {
  PostgresCursor cursor(run(m_conn.get(), sql + " RETURNING id", params));
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
