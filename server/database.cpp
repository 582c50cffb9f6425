// SPDX-License-Identifier: MIT
#include "database.h"

#include "postgres_connection.h"
#include "sqlite_connection.h"

namespace margem::server {

std::unique_ptr<Connection> openConnection(const std::string& location, OpenMode mode) {
  constexpr std::string_view sqlitePrefix = "sqlite:";
  if (location.starts_with(sqlitePrefix)) {
    return std::make_unique<SqliteConnection>(location.substr(sqlitePrefix.size()), mode);
  }
  return std::make_unique<PostgresConnection>(location);
}

DatabaseUnusable readOnlyDatabase(const std::string& logText) {
  return DatabaseUnusable(logText,
                          "O banco de dados do servidor está protegido contra gravação e não pode "
                          "ser usado assim. Avise o suporte.");
}

Transaction::Transaction(Connection& connection) : m_connection(connection) {
  // SQLite takes the write lock up front, so that two writers wait for each other instead of
  // failing when one upgrades its read lock.
  m_connection.execute(connection.dialect() == Dialect::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (m_done) return;
  try {
    m_connection.execute("ROLLBACK");
  } catch (const DatabaseError&) {
    // The connection is gone; the database drops the transaction with it.
  }
}

void Transaction::commit() {
  m_connection.execute("COMMIT");
  m_done = true;
}

}  // namespace margem::server
