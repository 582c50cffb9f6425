// SPDX-License-Identifier: MIT
#include "call_params.h"

#include "rpc_error.h"
#include "utf8_step.h"

namespace margem::server {

CallParams::CallParams(const std::string& method, const nlohmann::json& params)
    : m_method(method), m_params(params) {}

void CallParams::refuse(const std::string& reason) const {
  throw RpcError(200, rpc_code::kInvalidParams,
                 "Parâmetros inválidos na chamada " + m_method + ": " + reason);
}

void CallParams::expectCount(std::size_t count) const {
  if (!m_params.is_array()) {
    refuse("os parâmetros devem vir em lista, na ordem da chamada, e não por nome.");
  }
  if (m_params.size() != count) {
    refuse("são esperados " + std::to_string(count) + (count == 1 ? " parâmetro" : " parâmetros") +
           " e foram recebidos " + std::to_string(m_params.size()) + ".");
  }
}

std::string CallParams::text(std::size_t index, int maxCharacters, const char* description) const {
  const auto& value = m_params.at(index);
  if (!value.is_string()) refuse(std::string(description) + " deve ser um texto.");
  std::string text = value.get<std::string>();
  if (utf8Length(text) > static_cast<std::size_t>(maxCharacters)) {
    refuse(std::string(description) + " deve ter no máximo " + std::to_string(maxCharacters) +
           " caracteres.");
  }
  return text;
}

CalendarDay CallParams::day(std::size_t index, const char* description) const {
  const auto& value = m_params.at(index);
  if (value.is_string()) {
    if (auto day = CalendarDay::parse(value.get<std::string>())) return *day;
  }
  refuse(std::string(description) + " deve ser uma data válida (AAAA-MM-DDTHH:MM:SS).");
}

}  // namespace margem::server
