// SPDX-License-Identifier: MIT
// Generates the JSON of a period reply (GetMargTLuc): the fifteen margin-row columns plus
// VRPEDESFIXASERV, with plausible codes, names and values.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct GeneratedPacket {
  std::string json;
  std::size_t rows = 0;
  std::size_t textChars = 0;  // characters of all text values, as stored (UTF-16 units)
};

GeneratedPacket MakePeriodPacket(std::size_t rows, unsigned seed);

}  // namespace bench
