// SPDX-License-Identifier: MIT
#include "postgres_statement.h"

#include <libpq-fe.h>

#include <charconv>
#include <vector>

namespace margem::server {

std::string numberPlaceholders(const std::string& sql) {
  std::string out;
  out.reserve(sql.size() + 16);
  int next = 1;
  bool quoted = false;
  for (const char c : sql) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      out += '$';
      out += std::to_string(next++);
    } else {
      out += c;
    }
  }
  return out;
}

std::string valueText(const SqlValue& value) {
  if (const auto* n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
  if (const auto* d = std::get_if<double>(&value)) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *d).ptr;
    return std::string(buffer, end);
  }
  return std::get<std::string>(value);
}

// Results come in binary form: numbers travel as their 8 bytes instead of being printed by the
// database and read back here, which dominates a million-row reply.
PGresult* runStatement(PGconn* conn, const std::string& sql, const SqlParams& params) {
  std::vector<std::string> texts;
  std::vector<const char*> values;
  texts.reserve(params.size());
  for (const auto& param : params) {
    if (std::holds_alternative<std::nullptr_t>(param)) {
      texts.emplace_back();
      values.push_back(nullptr);
    } else {
      texts.push_back(valueText(param));
      values.push_back(texts.back().c_str());
    }
  }
  const std::string numbered = numberPlaceholders(sql);
  PGresult* result = PQexecParams(conn, numbered.c_str(), static_cast<int>(values.size()), nullptr,
                                  values.data(), nullptr, nullptr, 1);
  const auto status = PQresultStatus(result);
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
    const std::string message = PQresultErrorMessage(result);
    PQclear(result);
    throw DatabaseError("query: " + message);
  }
  return result;
}

}  // namespace margem::server
