// SPDX-License-Identifier: MIT
// The `import` and `export` commands of margem-server: quote files in and out (IMPORT.md).
// Each returns the exit status: 0 done, 1 nothing done (the reason printed on standard error).
#pragma once

#include "command_line.h"
#include "database.h"

namespace margem::server {

// Problems go to standard error, progress too; the summary to standard output.
int runImport(Connection& db, const CommandLine& line);

// Writes the file whole or not at all: it is written beside under another name and takes its
// own name only once complete. Opens an existing database only.
int runExport(const CommandLine& line);

}  // namespace margem::server
