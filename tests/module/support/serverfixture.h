// SPDX-License-Identifier: MIT
// The real application server for a client test: a fresh SQLite database in a temporary folder,
// filled from a fixture file of tests/fixtures (margem-server fixture), then `margem-server
// serve` on a free loopback port. Start sets MARGEM_SERVER_HOST and MARGEM_SERVER_PORT so the
// forms' connections find it; the destructor (or Stop) ends the server.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace testsupport {

class ServerFixture {
 public:
  ServerFixture();
  ~ServerFixture();
  ServerFixture(const ServerFixture&) = delete;
  ServerFixture& operator=(const ServerFixture&) = delete;

  // Creates the database from the fixture files (absolute, or relative to tests/fixtures; loaded
  // in order; none: an empty database) and starts the server. False, with Error() saying why, when
  // the server does not come up within a few seconds.
  bool Start(const QStringList& fixtureFiles = {});
  // Adds more rows to the running server's database.
  bool Load(const QString& fixtureFile);
  void Stop();
  // Starts the server again on the same port and database after Stop.
  bool Restart();
  bool Running() const;

  QString Host() const { return QStringLiteral("127.0.0.1"); }
  int Port() const { return m_port; }
  QString Database() const;
  QString Error() const { return m_error; }

 private:
  bool RunTool(const QStringList& arguments);
  bool RunFixture(const QString& fixtureFile);
  bool Serve();
  bool WaitHealthy(int timeoutMs);
  QTemporaryDir m_dir;
  std::unique_ptr<QProcess> m_server;
  int m_port = 0;
  QString m_error;
};

// A loopback port that nothing listens on right now.
int FreeLoopbackPort();
// True when GET /health on 127.0.0.1:port answers 200.
bool HealthAnswers(int port);

}  // namespace testsupport
