// SPDX-License-Identifier: MIT
// Database connections shared by the server's workers: one is leased per call and comes back
// when the lease ends. Connections are opened on demand (the first one also brings the schema up
// to date), so a database that is down or missing at start, or goes away later, only fails the
// calls made meanwhile; a lease whose call failed drops its connection and the next call opens a
// new one. A missing SQLite file is never created here: that is for the database tools.
//
// An idle connection is checked before it is leased again (Connection::usable). One that no
// longer reaches its database retires every connection opened before it: after a PostgreSQL
// restart none of them is tried, and after a SQLite file was replaced or deleted every call
// follows the file now at the path. With SQLite no connection to the new file is opened while a
// call still reads the old one, since both would share the same journal files.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "database.h"

namespace margem::server {

class ConnectionPool {
 public:
  explicit ConnectionPool(std::string location);

  class Lease {
   public:
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection, std::uint64_t generation);
    ~Lease();
    Lease(Lease&&) = default;
    Lease& operator=(Lease&& other);
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Connection& operator*() const { return *m_connection; }
    Connection* operator->() const { return m_connection.get(); }
    // The connection is not given back (it failed and may be broken).
    void discard();

   private:
    void end();

    ConnectionPool* m_pool;
    std::unique_ptr<Connection> m_connection;
    std::uint64_t m_generation;
  };

  // Raises DatabaseMissing when the SQLite file is not there, DatabaseUnusable when the database
  // cannot be served as it is, DatabaseError when no connection can be opened otherwise.
  Lease acquire();
  // A newly opened connection, never an idle one: for a call that failed on a broken connection
  // and goes once more.
  Lease acquireFresh();

 private:
  struct Idle {
    std::unique_ptr<Connection> connection;
    std::uint64_t generation;
  };

  Lease open();
  // Every connection of `generation` and before is retired; called with the mutex held.
  void retire(std::uint64_t generation);
  // A lease of `generation` has ended, its connection closed or kept; called with the mutex held.
  void endLease(std::uint64_t generation);
  void giveBack(std::unique_ptr<Connection> connection, std::uint64_t generation);

  std::string m_location;
  bool m_sqlite;
  std::mutex m_mutex;
  std::condition_variable m_oldLeasesEnded;
  std::vector<Idle> m_idle;
  std::uint64_t m_generation = 0;
  int m_currentLeases = 0;  // leased connections of the current generation
  int m_oldLeases = 0;      // leased connections of retired generations
  // The generation whose schema is up to date: the database may be another one after a retirement.
  std::uint64_t m_migratedGeneration = UINT64_MAX;
};

}  // namespace margem::server
