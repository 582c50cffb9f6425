// SPDX-License-Identifier: MIT
#include "server_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>

namespace servertest {

QString serverBinary() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/margem-server");
}

bool runTool(const QStringList& arguments, QString* output, int timeoutMs) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(serverBinary(), arguments);
  const bool finished = process.waitForFinished(timeoutMs);
  if (output) *output = QString::fromUtf8(process.readAll());
  return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

ServerProcess::~ServerProcess() { stop(); }

bool ServerProcess::start(const QString& database, const QStringList& extra) {
  m_process = std::make_unique<QProcess>();
  m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  m_process->start(serverBinary(),
                   QStringList{"serve", "--db", database, "--listen", "127.0.0.1:0"} + extra);
  static const QRegularExpression serving(QStringLiteral("atendendo em 127\\.0\\.0\\.1:(\\d+)"));
  QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired() && m_process->state() != QProcess::NotRunning) {
    m_process->waitForReadyRead(200);
    m_output += QString::fromUtf8(m_process->readAllStandardOutput());
    const auto match = serving.match(m_output);
    if (match.hasMatch()) {
      m_port = match.captured(1).toInt();
      return true;
    }
  }
  return false;
}

int ServerProcess::stop() {
  if (!m_process || m_process->state() == QProcess::NotRunning) return -1;
  m_process->terminate();
  int code = -1;
  if (m_process->waitForFinished(15000)) {
    code = m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
  } else {
    m_process->kill();
    m_process->waitForFinished(5000);
  }
  m_output += QString::fromUtf8(m_process->readAllStandardOutput());
  return code;
}

}  // namespace servertest
