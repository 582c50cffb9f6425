// SPDX-License-Identifier: MIT
// Checks the parameters of one call: their count, their types and the width of each text in
// characters. Every refusal raises RpcError -32602 with a Portuguese message that names the
// parameter and says what is expected.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "calendar_day.h"

namespace margem::server {

class CallParams {
 public:
  CallParams(const std::string& method, const nlohmann::json& params);

  // Params given by name (an object) are refused as well.
  void expectCount(std::size_t count) const;
  // The text at `index`, at most `maxCharacters` characters long.
  std::string text(std::size_t index, int maxCharacters, const char* description) const;
  // The day of the date-time text "YYYY-MM-DDTHH:MM:SS" at `index`.
  CalendarDay day(std::size_t index, const char* description) const;

 private:
  [[noreturn]] void refuse(const std::string& reason) const;

  const std::string& m_method;
  const nlohmann::json& m_params;
};

}  // namespace margem::server
