// SPDX-License-Identifier: MIT
#include "serverfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <cstring>
#include <string>

namespace testsupport {

namespace {

int LoopbackSocket() { return ::socket(AF_INET, SOCK_STREAM, 0); }

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

QString SqliteUrl(const QString& path) { return QStringLiteral("sqlite:") + path; }

}  // namespace

int FreeLoopbackPort() {
  const int fd = LoopbackSocket();
  if (fd < 0) return 0;
  sockaddr_in address = LoopbackAddress(0);
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

bool HealthAnswers(int port) {
  const int fd = LoopbackSocket();
  if (fd < 0) return false;
  timeval timeout{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address = LoopbackAddress(port);
  bool healthy = false;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string request =
        "GET /health HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (::send(fd, request.data(), request.size(), 0) == ssize_t(request.size())) {
      char buffer[64] = {};
      const ssize_t got = ::recv(fd, buffer, sizeof buffer - 1, 0);
      healthy = got > 12 && std::strncmp(buffer + 9, "200", 3) == 0;
    }
  }
  ::close(fd);
  return healthy;
}

ServerFixture::ServerFixture() = default;

ServerFixture::~ServerFixture() { Stop(); }

QString ServerFixture::Database() const { return m_dir.filePath(QStringLiteral("margem.db")); }

bool ServerFixture::RunTool(const QStringList& arguments) {
  QProcess tool;
  tool.setProcessChannelMode(QProcess::MergedChannels);
  tool.start(QStringLiteral(MARGEM_SERVER_BIN), arguments);
  if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit ||
      tool.exitCode() != 0) {
    m_error = QStringLiteral("margem-server %1 failed: %2")
                  .arg(arguments.join(QLatin1Char(' ')), QString::fromUtf8(tool.readAll()));
    return false;
  }
  return true;
}

bool ServerFixture::RunFixture(const QString& fixtureFile) {
  return RunTool({QStringLiteral("fixture"), QStringLiteral("--db"), SqliteUrl(Database()),
                  QDir(QStringLiteral(MARGEM_FIXTURES_DIR)).filePath(fixtureFile)});
}

bool ServerFixture::Start(const QStringList& fixtureFiles) {
  Stop();
  if (!m_dir.isValid()) {
    m_error = QStringLiteral("no temporary folder");
    return false;
  }
  // The server does not create a missing database: without fixtures it is made empty here.
  if (fixtureFiles.isEmpty() &&
      !RunTool({QStringLiteral("init"), QStringLiteral("--db"), SqliteUrl(Database())}))
    return false;
  for (const QString& file : fixtureFiles)
    if (!RunFixture(file)) return false;
  m_port = FreeLoopbackPort();
  return Serve();
}

bool ServerFixture::Restart() {
  Stop();
  return Serve();
}

bool ServerFixture::Serve() {
  m_server = std::make_unique<QProcess>();
  m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  m_server->start(QStringLiteral(MARGEM_SERVER_BIN),
                  {QStringLiteral("serve"), QStringLiteral("--db"), SqliteUrl(Database()),
                   QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(m_port)});
  if (!m_server->waitForStarted(5000) || !WaitHealthy(10000)) {
    m_error = QStringLiteral("server did not answer /health on port %1").arg(m_port);
    Stop();
    return false;
  }
  qputenv("MARGEM_SERVER_HOST", Host().toUtf8());
  qputenv("MARGEM_SERVER_PORT", QByteArray::number(m_port));
  qunsetenv("MARGEM_SERVER_TOKEN");
  return true;
}

bool ServerFixture::Load(const QString& fixtureFile) { return RunFixture(fixtureFile); }

bool ServerFixture::WaitHealthy(int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired()) {
    if (m_server->state() == QProcess::NotRunning) return false;
    if (HealthAnswers(m_port)) return true;
    QThread::msleep(50);
  }
  return false;
}

void ServerFixture::Stop() {
  if (!m_server) return;
  if (m_server->state() != QProcess::NotRunning) {
    m_server->terminate();
    if (!m_server->waitForFinished(5000)) {
      m_server->kill();
      m_server->waitForFinished(2000);
    }
  }
  m_server.reset();
}

bool ServerFixture::Running() const { return m_server && m_server->state() == QProcess::Running; }

}  // namespace testsupport
