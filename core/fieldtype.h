// SPDX-License-Identifier: MIT
// The three kinds of value a client data set holds, as data packets carry them.
#pragma once

namespace margem {

enum class FieldType { String, Float, DateTime };

}  // namespace margem
