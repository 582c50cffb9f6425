// SPDX-License-Identifier: MIT
#include "postgres_portal.h"

#include <libpq-fe.h>

#include "postgres_statement.h"

namespace margem::server {
namespace {

constexpr const char* kName = "margem_rows";

}  // namespace

// Failures here leave the connection inside its transaction, which marks it unhealthy.
PostgresPortal::~PostgresPortal() {
  if (m_asked) {
    while (PGresult* result = PQgetResult(m_conn)) PQclear(result);
  }
  if (m_declared) PQclear(PQexec(m_conn, (std::string("CLOSE ") + kName).c_str()));
  if (m_ownTransaction) PQclear(PQexec(m_conn, "COMMIT"));
}

PGresult* PostgresPortal::open(const std::string& sql, const SqlParams& params) {
  if (PQtransactionStatus(m_conn) == PQTRANS_IDLE) {
    PgResult begun(runStatement(m_conn, "BEGIN", {}));
    m_ownTransaction = true;
  }
  PgResult declared(runStatement(
      m_conn, std::string("DECLARE ") + kName + " NO SCROLL CURSOR FOR " + sql, params));
  m_declared = true;
  askNext();
  return fetch();
}

PGresult* PostgresPortal::fetch() {
  if (m_done) return PQmakeEmptyPGresult(m_conn, PGRES_TUPLES_OK);
  PgResult batch(collect());
  if (PQntuples(batch.get()) < kBatchRows) {
    m_done = true;
  } else {
    askNext();
  }
  return batch.release();
}

void PostgresPortal::askNext() {
  const std::string sql = "FETCH FORWARD " + std::to_string(kBatchRows) + " FROM " + kName;
  if (!PQsendQueryParams(m_conn, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 1)) {
    throw DatabaseError(std::string("fetch: ") + PQerrorMessage(m_conn));
  }
  m_asked = true;
}

PGresult* PostgresPortal::collect() {
  m_asked = false;
  PgResult batch(PQgetResult(m_conn));
  while (PGresult* extra = PQgetResult(m_conn)) PQclear(extra);
  if (PQresultStatus(batch.get()) != PGRES_TUPLES_OK) {
    throw DatabaseError(std::string("fetch: ") + PQresultErrorMessage(batch.get()));
  }
  return batch.release();
}

}  // namespace margem::server
