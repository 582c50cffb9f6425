// SPDX-License-Identifier: MIT
// Rows of a PostgreSQL result in binary form read as a Cursor: the whole result at once or, with
// a batch source, one batch after another (a result without rows ends them). A column of a type
// the queries never return raises DatabaseError.
#pragma once

#include <memory>

#include "database.h"

struct pg_result;

namespace margem::server {

// Owns one PGresult.
class PgResult {
 public:
  explicit PgResult(pg_result* result = nullptr) : m_handle(result) {}
  ~PgResult();
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;
  void reset(pg_result* result);
  pg_result* get() const { return m_handle; }
  // Hands the result over to the caller.
  pg_result* release() {
    pg_result* result = m_handle;
    m_handle = nullptr;
    return result;
  }

 private:
  pg_result* m_handle;
};

// Where the following batches of a result come from; destroyed with the cursor.
class BatchSource {
 public:
  virtual ~BatchSource() = default;
  // The next batch; raises DatabaseError.
  virtual pg_result* fetch() = 0;
};

class PostgresCursor : public Cursor {
 public:
  explicit PostgresCursor(pg_result* first, std::unique_ptr<BatchSource> more = nullptr);

  bool atEnd() const override { return m_row >= m_rows; }
  void next() override;
  bool isNull(int column) const override;
  std::string_view text(int column) const override;
  double real(int column) const override;
  std::int64_t integer(int column) const override;

 private:
  void take(pg_result* batch);

  std::unique_ptr<BatchSource> m_more;  // null: the result came whole
  PgResult m_result;
  int m_rows = 0;
  int m_row = 0;
};

}  // namespace margem::server
