// SPDX-License-Identifier: MIT
// The SQLite connection: one database file, opened read-write in WAL mode so that the workers'
// connections read side by side, waiting a few seconds on a lock before failing. A file that
// cannot be written is opened read-only, as it is; one that cannot even be read so (a WAL database
// whose folder is read-only) raises DatabaseUnusable. With OpenMode::Create a missing file is
// created, with its folder; with OpenMode::ExistingOnly it raises DatabaseMissing instead.
#pragma once

#include "database.h"

struct sqlite3;

namespace margem::server {

class SqliteConnection : public Connection {
 public:
  SqliteConnection(const std::string& path, OpenMode mode);
  ~SqliteConnection() override;
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  Dialect dialect() const override { return Dialect::Sqlite; }
  void execute(const std::string& sql) override;
  std::unique_ptr<Cursor> query(const std::string& sql, const SqlParams& params) override;
  // SQLite hands every result over row by row already.
  std::unique_ptr<Cursor> queryInBatches(const std::string& sql, const SqlParams& params) override {
    return query(sql, params);
  }
  std::int64_t insert(const std::string& sql, const SqlParams& params) override;
  std::unique_ptr<BulkInsert> bulkInsert(const std::string& table,
                                         const std::vector<std::string>& columns) override;
  bool healthy() const override { return true; }
  // False once the file it was opened on has been renamed, replaced or deleted.
  bool usable() override;
  bool readOnly() const override;

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace margem::server
