// SPDX-License-Identifier: MIT
// The PostgreSQL connection through libpq. Parameters travel separately from the SQL text
// (`?` placeholders become `$1`, `$2`, ...); many rows are written with COPY.
#pragma once

#include <memory>

#include "database.h"

struct pg_conn;

namespace margem::server {

class PostgresConnection : public Connection {
 public:
  explicit PostgresConnection(const std::string& conninfo);
  ~PostgresConnection() override;
  PostgresConnection(const PostgresConnection&) = delete;
  PostgresConnection& operator=(const PostgresConnection&) = delete;

  Dialect dialect() const override { return Dialect::Postgres; }
  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql, const SqlParams& params) override;
  std::int64_t insert(const std::string& sql, const SqlParams& params) override;
  std::unique_ptr<BulkInsert> bulkInsert(const std::string& table,
                                         const std::vector<std::string>& columns) override;
  bool healthy() const override;

 private:
  struct Finish {
    void operator()(pg_conn* conn) const;
  };
  // Closed on every way out, a constructor that fails after connecting included.
  std::unique_ptr<pg_conn, Finish> m_conn;
};

// "a = ? AND b = ?" becomes "a = $1 AND b = $2"; question marks inside quoted literals stay.
std::string numberPlaceholders(const std::string& sql);

}  // namespace margem::server
