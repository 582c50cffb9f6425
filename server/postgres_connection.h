// SPDX-License-Identifier: MIT
// The PostgreSQL connection through libpq. Parameters travel separately from the SQL text
// (`?` placeholders become `$1`, `$2`, ...); many rows are written with COPY; a large result is
// read through a portal, a batch of rows at a time (postgres_portal.h).
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
  std::unique_ptr<Cursor> queryInBatches(const std::string& sql, const SqlParams& params) override;
  std::int64_t insert(const std::string& sql, const SqlParams& params) override;
  std::unique_ptr<BulkInsert> bulkInsert(const std::string& table,
                                         const std::vector<std::string>& columns) override;
  bool healthy() const override;
  // An idle connection has nothing to read unless the server has ended it (a FATAL message
  // before it closes, as on a restart); such a connection is not used again.
  bool usable() override;
  // True on a standby server or when transactions are read-only by default.
  bool readOnly() const override;

 private:
  struct Finish {
    void operator()(pg_conn* conn) const;
  };
  // Closed on every way out, a constructor that fails after connecting included.
  std::unique_ptr<pg_conn, Finish> m_conn;
};

}  // namespace margem::server
