// SPDX-License-Identifier: MIT
// A PostgreSQL cursor (a portal) whose rows are fetched a batch at a time. The next batch is
// asked for as soon as one arrives, so that the database computes it while this one is read;
// the connection therefore runs no other statement while the portal is open. The portal runs in
// the transaction under way or, when there is none, in one of its own that ends with it.
#pragma once

#include <string>

#include "postgres_cursor.h"

struct pg_conn;

namespace margem::server {

class PostgresPortal : public BatchSource {
 public:
  static constexpr int kBatchRows = 20000;

  explicit PostgresPortal(pg_conn* conn) : m_conn(conn) {}
  ~PostgresPortal() override;
  PostgresPortal(const PostgresPortal&) = delete;
  PostgresPortal& operator=(const PostgresPortal&) = delete;

  // Declares the cursor for the query and returns its first batch; raises DatabaseError.
  pg_result* open(const std::string& sql, const SqlParams& params);
  pg_result* fetch() override;

 private:
  void askNext();
  pg_result* collect();  // the answer to the batch asked for

  pg_conn* m_conn;
  bool m_ownTransaction = false;
  bool m_declared = false;
  bool m_asked = false;  // a batch is under way
  bool m_done = false;   // the last batch has arrived
};

}  // namespace margem::server
