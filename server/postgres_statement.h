// SPDX-License-Identifier: MIT
// Running one statement on a PostgreSQL connection: `?` placeholders numbered for libpq, the
// parameters sent as text beside the SQL, the result asked for in binary form.
#pragma once

#include <string>

#include "database.h"

struct pg_conn;
struct pg_result;

namespace margem::server {

// "a = ? AND b = ?" becomes "a = $1 AND b = $2"; question marks inside quoted literals stay.
std::string numberPlaceholders(const std::string& sql);

// A parameter value as PostgreSQL reads it in text form (not for null).
std::string valueText(const SqlValue& value);

// Runs the statement and returns its result, which the caller owns. Raises DatabaseError when it
// fails.
pg_result* runStatement(pg_conn* conn, const std::string& sql, const SqlParams& params);

}  // namespace margem::server
