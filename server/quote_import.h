// SPDX-License-Identifier: MIT
// Imports quote files (the format is described in IMPORT.md) in one transaction: every line of
// every file is read and checked, and only when no problem is found is anything kept. With
// `check` nothing is written at all; the counts tell what would have been. Progress goes to
// `progress` for large files, a line per tenth read. Raises DatabaseError when the database
// fails; nothing is kept then either.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "database.h"
#include "import_ledger.h"
#include "text_encoding.h"

namespace margem::server {

struct ImportRequest {
  std::vector<std::string> files;
  bool replace = false;                  // an existing quote is replaced whole instead of refused
  bool check = false;                    // read and check only
  std::optional<TextEncoding> encoding;  // detected per file when not given
};

struct ImportOutcome {
  std::vector<std::string> problems;  // empty: the import was written (or would be, on check)
  bool stoppedEarly = false;          // the problems reached their most and reading stopped
  ImportCounts counts;
};

ImportOutcome importQuotes(Connection& db, const ImportRequest& request, std::ostream& progress);

// The closing lines for the user, in Portuguese.
std::string importReport(const ImportOutcome& outcome, bool check);

}  // namespace margem::server
