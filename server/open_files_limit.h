// SPDX-License-Identifier: MIT
// Raises this process's limit of open files (RLIMIT_NOFILE) from its soft value to the hard one,
// since every client connection is one. Returns the limit now in force.
#pragma once

#include <cstdint>

namespace margem::server {

std::uint64_t raiseOpenFilesLimit();

}  // namespace margem::server
