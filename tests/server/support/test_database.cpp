// SPDX-License-Identifier: MIT
#include "test_database.h"

#include <libpq-fe.h>

#include <QCoreApplication>
#include <atomic>
#include <stdexcept>

namespace servertest {
namespace {

QString adminConnection() { return qEnvironmentVariable("MARGEM_TEST_PG"); }

void runAdmin(const QString& sql) {
  PGconn* conn = PQconnectdb(adminConnection().toUtf8().constData());
  const bool connected = PQstatus(conn) == CONNECTION_OK;
  PGresult* result = connected ? PQexec(conn, sql.toUtf8().constData()) : nullptr;
  const auto status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
  const QString error = QString::fromUtf8(PQerrorMessage(conn));
  PQclear(result);
  PQfinish(conn);
  if (!ok) throw std::runtime_error(("PostgreSQL: " + error).toStdString());
}

}  // namespace

Backend backendUnderTest() {
  return qEnvironmentVariable("MARGEM_TEST_BACKEND") == QLatin1String("postgres")
             ? Backend::Postgres
             : Backend::Sqlite;
}

QString backendUnavailableReason() {
  if (backendUnderTest() == Backend::Postgres && adminConnection().isEmpty()) {
    return QStringLiteral("MARGEM_TEST_PG is not set: no PostgreSQL server to test against");
  }
  return {};
}

TestDatabase::TestDatabase() {
  if (backendUnderTest() == Backend::Sqlite) {
    m_location = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("margem.db"));
    return;
  }
  static std::atomic<int> counter{0};
  m_postgresName =
      QStringLiteral("margem_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(counter++);
  runAdmin(QStringLiteral("CREATE DATABASE %1").arg(m_postgresName));
  m_location = adminConnection() + QStringLiteral(" dbname=") + m_postgresName;
}

void TestDatabase::endConnections() {
  runAdmin(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                          " WHERE datname = '%1'")
               .arg(m_postgresName));
}

TestDatabase::~TestDatabase() {
  if (m_postgresName.isEmpty()) return;
  try {
    runAdmin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_postgresName));
  } catch (const std::exception& error) {
    qWarning("%s", error.what());
  }
}

}  // namespace servertest
