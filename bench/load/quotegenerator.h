// SPDX-License-Identifier: MIT
// Writes a fixture file (the format of `margem-server fixture`) with one large quote: options
// options, subgroups subgroups in each and items items spread over them.
#pragma once

#include <QString>

namespace benchload {

// Returns false when the file cannot be written.
bool WriteLargeQuote(const QString& path, const QString& number, int options, int subgroups,
                     int items);

}  // namespace benchload
