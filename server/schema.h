// SPDX-License-Identifier: MIT
// The database schema, the same tables on SQLite and PostgreSQL, created and upgraded by the
// server itself. Each migration runs once, in its own transaction, and records its number in
// schema_version; a database newer than this server is refused.
#pragma once

#include "database.h"

namespace margem::server {

// The schema version this server writes and reads.
int currentSchemaVersion();

// Brings the database up to currentSchemaVersion(); a database already there is only read.
// Raises DatabaseUnusable when the database was written by a newer server or is read-only and
// behind, DatabaseError on any other failure.
void migrate(Connection& connection);

}  // namespace margem::server
