// SPDX-License-Identifier: MIT
// A fresh database filled from a fixture file (margem-server fixture), with `serve` running over
// it; the server stops and the database goes with the object.
#pragma once

#include <QString>

#include "support/server_process.h"
#include "support/test_database.h"

namespace servertest {

class FixtureServer {
 public:
  // False, with what the fixture tool printed (or why the server did not start) in `output`.
  // `extra` goes to `serve`.
  bool start(const QString& fixtureFile, QString* output, const QStringList& extra = {});

  QString location() const { return m_database.location(); }
  int port() const { return m_server.port(); }

 private:
  TestDatabase m_database;
  ServerProcess m_server;
};

}  // namespace servertest
