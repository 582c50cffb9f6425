// SPDX-License-Identifier: MIT
// The real margem-server binary (built beside the test) run for a test: its database tools
// (init, demo, fixture) and `serve` on an ephemeral loopback port, read back from the line the
// server prints once it listens. The destructor stops a running server with SIGTERM.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace servertest {

// Runs `margem-server ARGS` to its end; true on exit status 0. Its output goes to `output`. A
// run that lasts longer than `timeoutMs` is ended and counts as failed.
bool runTool(const QStringList& arguments, QString* output = nullptr, int timeoutMs = 600000);

class ServerProcess {
 public:
  ServerProcess() = default;
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // Starts `margem-server serve --db DB --listen 127.0.0.1:0 EXTRA`; false when it does not
  // report a port within ten seconds.
  bool start(const QString& database, const QStringList& extra = {});
  // SIGTERM, then waits; returns the exit code (-1 when it had to be killed or crashed).
  int stop();

  int port() const { return m_port; }
  QString standardOutput() const { return m_output; }

 private:
  std::unique_ptr<QProcess> m_process;
  int m_port = 0;
  QString m_output;
};

QString serverBinary();

}  // namespace servertest
