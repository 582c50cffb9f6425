// SPDX-License-Identifier: MIT
#include "support/fixture_server.h"

namespace servertest {

bool FixtureServer::start(const QString& fixtureFile, QString* output, const QStringList& extra) {
  if (!runTool({"fixture", "--db", m_database.location(), fixtureFile}, output)) return false;
  if (m_server.start(m_database.location(), extra)) return true;
  *output = QStringLiteral("margem-server serve did not start on ") + m_database.location();
  return false;
}

}  // namespace servertest
