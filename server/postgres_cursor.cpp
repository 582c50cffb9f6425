// SPDX-License-Identifier: MIT
#include "postgres_cursor.h"

#include <libpq-fe.h>

#include <bit>
#include <charconv>
#include <cstdint>

namespace margem::server {
namespace {

// Column type numbers of the PostgreSQL catalog that the queries return.
enum TypeOid : Oid {
  kBool = 16,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043
};

std::uint64_t bigEndian(const char* bytes, int size) {
  std::uint64_t value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

void checkColumnTypes(const PGresult* result) {
  for (int column = 0; column < PQnfields(result); ++column) {
    switch (PQftype(result, column)) {
      case kBool:
      case kName:
      case kInt8:
      case kInt2:
      case kInt4:
      case kText:
      case kFloat4:
      case kFloat8:
      case kBpchar:
      case kVarchar:
        break;
      default:
        throw DatabaseError("unexpected column type " + std::to_string(PQftype(result, column)));
    }
  }
}

}  // namespace

PgResult::~PgResult() { PQclear(m_handle); }

void PgResult::reset(pg_result* result) {
  PQclear(m_handle);
  m_handle = result;
}

PostgresCursor::PostgresCursor(pg_result* first, std::unique_ptr<BatchSource> more)
    : m_more(std::move(more)) {
  take(first);
}

void PostgresCursor::take(pg_result* batch) {
  m_result.reset(batch);
  checkColumnTypes(batch);
  m_rows = PQntuples(batch);
  m_row = 0;
}

void PostgresCursor::next() {
  if (++m_row < m_rows || !m_more) return;
  take(m_more->fetch());
  if (m_rows == 0) m_more.reset();  // the last batch: the source is done with
}

bool PostgresCursor::isNull(int column) const { return PQgetisnull(m_result.get(), m_row, column); }

std::string_view PostgresCursor::text(int column) const {
  return {PQgetvalue(m_result.get(), m_row, column),
          static_cast<std::size_t>(PQgetlength(m_result.get(), m_row, column))};
}

double PostgresCursor::real(int column) const {
  if (isNull(column)) return 0;
  const char* bytes = PQgetvalue(m_result.get(), m_row, column);
  switch (PQftype(m_result.get(), column)) {
    case kFloat8:
      return std::bit_cast<double>(bigEndian(bytes, 8));
    case kFloat4:
      return std::bit_cast<float>(static_cast<std::uint32_t>(bigEndian(bytes, 4)));
    default:
      return static_cast<double>(integer(column));
  }
}

std::int64_t PostgresCursor::integer(int column) const {
  if (isNull(column)) return 0;
  const char* bytes = PQgetvalue(m_result.get(), m_row, column);
  switch (PQftype(m_result.get(), column)) {
    case kInt8:
      return static_cast<std::int64_t>(bigEndian(bytes, 8));
    case kInt4:
      return static_cast<std::int32_t>(bigEndian(bytes, 4));
    case kInt2:
      return static_cast<std::int16_t>(bigEndian(bytes, 2));
    case kBool:
      return bytes[0] != 0;
    case kFloat8:
    case kFloat4:
      return static_cast<std::int64_t>(real(column));
    default: {
      const auto value = text(column);
      std::int64_t number = 0;
      std::from_chars(value.data(), value.data() + value.size(), number);
      return number;
    }
  }
}

}  // namespace margem::server
