// SPDX-License-Identifier: MIT
// One connection to the database, SQLite or PostgreSQL, behind one interface.
//
// SQL is written once with `?` placeholders; values are always bound, never spliced into the
// text. A query returns a Cursor that is already on its first row (or at its end), so that any
// failure of the query itself shows before the caller has answered anything. Every failure
// raises DatabaseError, whose text is for the server's log only, never for a client.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace margem::server {

class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The database is not there: a SQLite file that does not exist and was not to be created.
class DatabaseMissing : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

// The database is there but cannot be served until someone acts on it: it was written by a newer
// server, or it is read-only while its schema needs an upgrade. Besides the text for the log it
// carries the sentence a user reads.
class DatabaseUnusable : public DatabaseError {
 public:
  DatabaseUnusable(const std::string& logText, std::string userMessage)
      : DatabaseError(logText), m_userMessage(std::move(userMessage)) {}
  const std::string& userMessage() const { return m_userMessage; }

 private:
  std::string m_userMessage;
};

// A database that would have to take writes to be served and cannot: a read-only SQLite file or
// folder (reading a SQLite database in WAL mode needs its shared-memory file), or a schema to
// upgrade on a read-only database.
DatabaseUnusable readOnlyDatabase(const std::string& logText);

enum class Dialect { Sqlite, Postgres };

using SqlValue = std::variant<std::nullptr_t, std::int64_t, double, std::string>;
using SqlParams = std::vector<SqlValue>;

// Rows of one result, read front to back. Column values are valid until next().
class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual bool atEnd() const = 0;
  virtual void next() = 0;  // moves to the following row; raises DatabaseError on failure
  virtual bool isNull(int column) const = 0;
  virtual std::string_view text(int column) const = 0;
  virtual double real(int column) const = 0;
  virtual std::int64_t integer(int column) const = 0;
};

// Collects many rows for one table and writes them in the fastest way the database offers.
class BulkInsert {
 public:
  virtual ~BulkInsert() = default;
  virtual void add(const SqlParams& row) = 0;
  virtual void finish() = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;
  virtual Dialect dialect() const = 0;
  // Runs statements without parameters (schema, transactions).
  virtual void execute(const std::string& sql) = 0;
  virtual std::unique_ptr<Cursor> query(const std::string& sql, const SqlParams& params) = 0;
  // A query whose result may be too large to hold at once: its rows come from the database a
  // batch at a time as the cursor moves. The connection runs no other statement while such a
  // cursor is open, so it is the last query of a call.
  virtual std::unique_ptr<Cursor> queryInBatches(const std::string& sql,
                                                 const SqlParams& params) = 0;
  // Inserts one row and returns its generated id (the table's `id` column).
  virtual std::int64_t insert(const std::string& sql, const SqlParams& params) = 0;
  virtual std::unique_ptr<BulkInsert> bulkInsert(const std::string& table,
                                                 const std::vector<std::string>& columns) = 0;
  // False once the connection is known to be broken and should be dropped.
  virtual bool healthy() const = 0;
  // Checked before an idle connection is used again: false when it no longer reaches the database
  // it was opened on (the SQLite file was replaced or removed, the PostgreSQL server closed it
  // while it was idle, for instance on a restart).
  virtual bool usable() = 0;
  // True when the database takes no writes (a read-only file, a standby server).
  virtual bool readOnly() const = 0;
};

// Whether opening a SQLite database may create its file (and the file's folder). A PostgreSQL
// database is never created by the server.
enum class OpenMode { Create, ExistingOnly };

// Opens a connection. `location` is "sqlite:PATH" or a PostgreSQL connection string
// ("postgresql://..." or "host=... dbname=..."). Raises DatabaseMissing when the SQLite file is
// not there and `mode` is ExistingOnly, DatabaseError when it cannot open it otherwise.
std::unique_ptr<Connection> openConnection(const std::string& location, OpenMode mode);

// Rolls back unless committed; keeps a multi-statement write all-or-nothing.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Connection& m_connection;
  bool m_done = false;
};

}  // namespace margem::server
