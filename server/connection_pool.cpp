// SPDX-License-Identifier: MIT
#include "connection_pool.h"

#include "schema.h"

namespace margem::server {

ConnectionPool::ConnectionPool(std::string location) : m_location(std::move(location)) {}

ConnectionPool::Lease::Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection)
    : m_pool(&pool), m_connection(std::move(connection)) {}

ConnectionPool::Lease::~Lease() {
  if (m_connection && m_connection->healthy()) m_pool->giveBack(std::move(m_connection));
}

ConnectionPool::Lease ConnectionPool::acquire() {
  {
    std::lock_guard lock(m_mutex);
    if (!m_idle.empty()) {
      auto connection = std::move(m_idle.back());
      m_idle.pop_back();
      return Lease(*this, std::move(connection));
    }
  }
  auto connection = openConnection(m_location, OpenMode::ExistingOnly);
  std::unique_lock lock(m_mutex);
  if (!m_migrated) {
    migrate(*connection);
    m_migrated = true;
  }
  lock.unlock();
  return Lease(*this, std::move(connection));
}

void ConnectionPool::giveBack(std::unique_ptr<Connection> connection) {
  std::lock_guard lock(m_mutex);
  m_idle.push_back(std::move(connection));
}

}  // namespace margem::server
