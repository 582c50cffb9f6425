// SPDX-License-Identifier: MIT
// A fresh, empty database for one test: a SQLite file in a temporary folder or, when the suite
// runs against PostgreSQL (MARGEM_TEST_BACKEND=postgres), a new database on the server named by
// MARGEM_TEST_PG (keyword/value form), dropped again at the end.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace servertest {

enum class Backend { Sqlite, Postgres };

// The backend this run tests. Postgres is chosen by MARGEM_TEST_BACKEND=postgres.
Backend backendUnderTest();
// Why the run cannot test its backend (PostgreSQL asked but MARGEM_TEST_PG empty), or "".
QString backendUnavailableReason();

class TestDatabase {
 public:
  TestDatabase();
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  // The --db value that reaches it.
  QString location() const { return m_location; }
  // A folder for the test's other files.
  QString folder() const { return m_dir.path(); }
  // PostgreSQL: ends every connection to the database, as a restart of its server does.
  void endConnections();

 private:
  QTemporaryDir m_dir;
  QString m_location;
  QString m_postgresName;
};

}  // namespace servertest
