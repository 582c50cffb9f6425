// SPDX-License-Identifier: MIT
// Loads a fixture file (the format is described in FIXTURES.md) into the database in one
// transaction: subgroups first, then each quote with its options and items. Raises
// std::invalid_argument with a Portuguese message naming the entry at fault when the file does
// not follow the format, and DatabaseError when the database refuses it; nothing is kept then.
#pragma once

#include <string>

#include "database.h"

namespace margem::server {

void loadFixture(Connection& db, const std::string& jsonText);

}  // namespace margem::server
