// SPDX-License-Identifier: MIT
// Database connections shared by the server's workers: one is leased per call and comes back
// when the lease ends. Connections are opened on demand (the first one also brings the schema up
// to date), so a database that is down or missing at start, or goes away later, only fails the
// calls made meanwhile; a lease whose call failed drops its connection and the next call opens a
// new one. A missing SQLite file is never created here: that is for the database tools.
#pragma once

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
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection);
    ~Lease();
    Lease(Lease&&) = default;
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Connection& operator*() const { return *m_connection; }
    Connection* operator->() const { return m_connection.get(); }
    // The connection is not given back (it failed and may be broken).
    void discard() { m_connection.reset(); }

   private:
    ConnectionPool* m_pool;
    std::unique_ptr<Connection> m_connection;
  };

  // Raises DatabaseMissing when the SQLite file is not there, DatabaseError when no connection
  // can be opened otherwise.
  Lease acquire();

 private:
  void giveBack(std::unique_ptr<Connection> connection);

  std::string m_location;
  std::mutex m_mutex;
  std::vector<std::unique_ptr<Connection>> m_idle;
  bool m_migrated = false;
};

}  // namespace margem::server
