// SPDX-License-Identifier: MIT
// Writes a quote file in the import format as a company's spreadsheet would hold it: a hundred
// item lines a quote (ten options of ten items), the quote's and subgroup's columns repeated on
// every line, ten subgroups of fifty products each. The same row count writes the same file.
#pragma once

#include <cstdint>
#include <string>

namespace benchimport {

// Writes `rows` item lines (rounded up to whole quotes) to `path`; returns the lines written.
std::int64_t writeQuoteFile(const std::string& path, std::int64_t rows);

}  // namespace benchimport
