// SPDX-License-Identifier: MIT
#include "connection_pool.h"

#include "schema.h"

namespace margem::server {

ConnectionPool::ConnectionPool(std::string location)
    : m_location(std::move(location)), m_sqlite(m_location.starts_with("sqlite:")) {}

ConnectionPool::Lease::Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection,
                             std::uint64_t generation)
    : m_pool(&pool), m_connection(std::move(connection)), m_generation(generation) {}

ConnectionPool::Lease::~Lease() { end(); }

ConnectionPool::Lease& ConnectionPool::Lease::operator=(Lease&& other) {
  if (this != &other) {
    end();
    m_pool = other.m_pool;
    m_connection = std::move(other.m_connection);
    m_generation = other.m_generation;
  }
  return *this;
}

void ConnectionPool::Lease::discard() {
  if (!m_connection) return;
  m_connection.reset();
  m_pool->giveBack(nullptr, m_generation);
}

void ConnectionPool::Lease::end() {
  if (!m_connection) return;
  std::unique_ptr<Connection> connection = std::move(m_connection);
  if (!connection->healthy()) connection.reset();
  m_pool->giveBack(std::move(connection), m_generation);
}

ConnectionPool::Lease ConnectionPool::acquire() {
  while (true) {
    Idle idle;
    {
      std::lock_guard lock(m_mutex);
      if (m_idle.empty()) break;
      idle = std::move(m_idle.back());
      m_idle.pop_back();
      ++m_currentLeases;
    }
    if (idle.connection->usable()) return Lease(*this, std::move(idle.connection), idle.generation);
    idle.connection.reset();  // closed before any connection may open on a new file
    std::lock_guard lock(m_mutex);
    endLease(idle.generation);
    retire(idle.generation);
  }
  return open();
}

ConnectionPool::Lease ConnectionPool::acquireFresh() { return open(); }

ConnectionPool::Lease ConnectionPool::open() {
  std::unique_lock lock(m_mutex);
  if (m_sqlite) m_oldLeasesEnded.wait(lock, [this] { return m_oldLeases == 0; });
  const std::uint64_t generation = m_generation;
  ++m_currentLeases;
  lock.unlock();
  try {
    auto connection = openConnection(m_location, OpenMode::ExistingOnly);
    lock.lock();
    if (m_migratedGeneration != generation) {
      migrate(*connection);
      m_migratedGeneration = generation;
    }
    lock.unlock();
    return Lease(*this, std::move(connection), generation);
  } catch (...) {
    if (!lock.owns_lock()) lock.lock();
    endLease(generation);
    throw;
  }
}

void ConnectionPool::endLease(std::uint64_t generation) {
  if (generation == m_generation) {
    --m_currentLeases;
  } else if (--m_oldLeases == 0) {
    m_oldLeasesEnded.notify_all();
  }
}

void ConnectionPool::retire(std::uint64_t generation) {
  if (generation != m_generation) return;  // already retired
  ++m_generation;
  m_idle.clear();
  m_oldLeases += m_currentLeases;
  m_currentLeases = 0;
}

void ConnectionPool::giveBack(std::unique_ptr<Connection> connection, std::uint64_t generation) {
  std::lock_guard lock(m_mutex);
  if (generation != m_generation) connection.reset();  // closed before the count says so
  endLease(generation);
  if (connection) m_idle.push_back({std::move(connection), generation});
}

}  // namespace margem::server
