// SPDX-License-Identifier: MIT
// The silent abort: the exception that abandons the current operation after its message has
// already been shown. The handler guard swallows it; nothing else should catch it for good.
#pragma once

#include <exception>

#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT SilentAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operação abandonada."; }
};

}  // namespace margem
