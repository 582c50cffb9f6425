// SPDX-License-Identifier: MIT
#include "sqlite_connection.h"

#include <sqlite3.h>

#include <filesystem>

namespace margem::server {
namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
  throw DatabaseError(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

// A prepared statement, finalized on every way out.
class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : m_db(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK) {
      fail(db, "prepare");
    }
  }
  ~Statement() { sqlite3_finalize(m_stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void bind(const SqlParams& params) {
    sqlite3_reset(m_stmt);
    for (std::size_t i = 0; i < params.size(); ++i) {
      const int index = static_cast<int>(i) + 1;
      int rc = SQLITE_OK;
      const SqlValue& value = params[i];
      if (std::holds_alternative<std::nullptr_t>(value)) {
        rc = sqlite3_bind_null(m_stmt, index);
      } else if (const auto* n = std::get_if<std::int64_t>(&value)) {
        rc = sqlite3_bind_int64(m_stmt, index, *n);
      } else if (const auto* d = std::get_if<double>(&value)) {
        rc = sqlite3_bind_double(m_stmt, index, *d);
      } else {
        const auto& s = std::get<std::string>(value);
        rc = sqlite3_bind_text(m_stmt, index, s.data(), static_cast<int>(s.size()),
                               SQLITE_TRANSIENT);
      }
      if (rc != SQLITE_OK) fail(m_db, "bind");
    }
  }

  // True when a row is available.
  bool step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(m_db, "step");
  }

  sqlite3_stmt* handle() const { return m_stmt; }

 private:
  sqlite3* m_db;
  sqlite3_stmt* m_stmt = nullptr;
};

class SqliteCursor : public Cursor {
 public:
  SqliteCursor(sqlite3* db, const std::string& sql, const SqlParams& params)
      : m_statement(db, sql) {
    m_statement.bind(params);
    m_atEnd = !m_statement.step();
  }
  bool atEnd() const override { return m_atEnd; }
  void next() override { m_atEnd = !m_statement.step(); }
  bool isNull(int column) const override {
    return sqlite3_column_type(m_statement.handle(), column) == SQLITE_NULL;
  }
  std::string_view text(int column) const override {
    const auto* data = sqlite3_column_text(m_statement.handle(), column);
    const int size = sqlite3_column_bytes(m_statement.handle(), column);
    return data ? std::string_view(reinterpret_cast<const char*>(data), size) : std::string_view();
  }
  double real(int column) const override {
    return sqlite3_column_double(m_statement.handle(), column);
  }
  std::int64_t integer(int column) const override {
    return sqlite3_column_int64(m_statement.handle(), column);
  }

 private:
  Statement m_statement;
  bool m_atEnd = true;
};

class SqliteBulkInsert : public BulkInsert {
 public:
  SqliteBulkInsert(sqlite3* db, const std::string& sql) : m_statement(db, sql) {}
  void add(const SqlParams& row) override {
    m_statement.bind(row);
    m_statement.step();
  }
  void finish() override {}

 private:
  Statement m_statement;
};

// SQLite keeps memory statistics behind one mutex for the whole process, which every statement
// of every worker takes many times over; nothing here reads them. Set once, before the first open
// starts the library (later it cannot change, and the library keeps its default).
void withoutMemoryStatistics() {
  static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)configured;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, OpenMode mode) {
  withoutMemoryStatistics();
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  if (mode == OpenMode::Create) {
    flags |= SQLITE_OPEN_CREATE;
    // SQLite creates the file but not its folder.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;  // a folder that cannot be made shows as the open's failure
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  }
  if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
    const std::string message = "open " + path + ": " + (m_db ? sqlite3_errmsg(m_db) : "?");
    std::error_code unknown;  // a path that cannot even be looked at counts as missing
    const bool missing = mode == OpenMode::ExistingOnly &&
                         sqlite3_errcode(m_db) == SQLITE_CANTOPEN &&
                         !std::filesystem::exists(path, unknown);
    sqlite3_close(m_db);
    m_db = nullptr;
    if (missing) throw DatabaseMissing(message);
    throw DatabaseError(message);
  }
  sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
  try {
    execute("PRAGMA foreign_keys = ON");
    // Choosing the journal is a write; a read-only file is read in the mode it has.
    if (!readOnly()) execute("PRAGMA journal_mode = WAL");
    execute("PRAGMA synchronous = NORMAL");
  } catch (const DatabaseError& error) {
    const bool readOnly = (sqlite3_extended_errcode(m_db) & 0xff) == SQLITE_READONLY;
    sqlite3_close(m_db);
    m_db = nullptr;
    if (readOnly) throw readOnlyDatabase(path + ": " + error.what());
    throw;
  }
}

SqliteConnection::~SqliteConnection() { sqlite3_close(m_db); }

bool SqliteConnection::usable() {
  int moved = 1;
  return sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK &&
         moved == 0;
}

bool SqliteConnection::readOnly() const { return sqlite3_db_readonly(m_db, "main") == 1; }

void SqliteConnection::execute(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : sqlite3_errmsg(m_db);
    sqlite3_free(error);
    throw DatabaseError("execute: " + message);
  }
}

std::unique_ptr<Cursor> SqliteConnection::query(const std::string& sql, const SqlParams& params) {
  return std::make_unique<SqliteCursor>(m_db, sql, params);
}

std::int64_t SqliteConnection::insert(const std::string& sql, const SqlParams& params) {
  Statement statement(m_db, sql);
  statement.bind(params);
  statement.step();
  return sqlite3_last_insert_rowid(m_db);
}

std::unique_ptr<BulkInsert> SqliteConnection::bulkInsert(const std::string& table,
                                                         const std::vector<std::string>& columns) {
  std::string names;
  std::string marks;
  for (const auto& column : columns) {
    names += (names.empty() ? "" : ", ") + column;
    marks += marks.empty() ? "?" : ", ?";
  }
  return std::make_unique<SqliteBulkInsert>(
      m_db, "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")");
}

}  // namespace margem::server
