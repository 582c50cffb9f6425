// SPDX-License-Identifier: MIT
// Marks the symbols the host library exports to the package and the host application.
#pragma once

#define MARGEM_HOST_EXPORT __attribute__((visibility("default")))
