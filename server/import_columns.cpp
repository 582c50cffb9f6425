// SPDX-License-Identifier: MIT
#include "import_columns.h"

namespace margem::server {
namespace {

constexpr std::array<const char*, kImportColumnCount> kTitles = {
    "Filial",
    "Orçamento",
    "Sequência",
    "Data do evento",
    "Data de inclusão",
    "Cliente (nome fantasia)",
    "Cliente",
    "Tipo de evento",
    "Tipo de serviço",
    "% Despesa do serviço",
    "Convidados",
    "Salão",
    "% Comissão",
    "Opção",
    "Desconto da opção",
    "Grupo",
    "Nome do grupo",
    "Subgrupo",
    "Nome do subgrupo",
    "% Despesa do subgrupo",
    "Participa do desconto (S/N)",
    "Rateia frete (S/N)",
    "Subgrupo de frete (S/N)",
    "Produto",
    "Nome do produto",
    "Unidade",
    "Valor",
    "% MP",
    "% Outros",
    "Frete",
};

// U+00C0 to U+00FF, written in UTF-8 as 0xC3 and a byte from 0x80 to 0xBF, folded to ASCII.
constexpr std::string_view kLatin1Folds =
    "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";

// Lower-case ASCII letters and digits only: accents folded, everything else dropped.
std::string normalized(std::string_view title) {
  std::string key;
  for (std::size_t i = 0; i < title.size(); ++i) {
    auto c = static_cast<unsigned char>(title[i]);
    if (c == 0xC3 && i + 1 < title.size()) {
      const auto next = static_cast<unsigned char>(title[i + 1]);
      if (next >= 0x80 && next <= 0xBF) {
        c = static_cast<unsigned char>(kLatin1Folds[next - 0x80]);
        ++i;
      }
    }
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) key += static_cast<char>(c);
  }
  return key;
}

}  // namespace

const std::array<ImportColumn, kImportColumnCount>& allImportColumns() {
  static const auto columns = [] {
    std::array<ImportColumn, kImportColumnCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<ImportColumn>(i);
    return all;
  }();
  return columns;
}

const char* columnTitle(ImportColumn column) { return kTitles[static_cast<std::size_t>(column)]; }

std::optional<ImportColumn> columnTitled(std::string_view title) {
  const std::string key = normalized(title);
  for (const ImportColumn column : allImportColumns()) {
    const std::string full = normalized(columnTitle(column));
    if (key == full) return column;
    const bool flag = column == ImportColumn::TakesDiscounts ||
                      column == ImportColumn::SharesFreight || column == ImportColumn::IsFreight;
    if (flag && key + "sn" == full) return column;
  }
  return std::nullopt;
}

bool isRequiredColumn(ImportColumn column) {
  return column == ImportColumn::Branch || column == ImportColumn::Number ||
         column == ImportColumn::IncludedAt || column == ImportColumn::Group ||
         column == ImportColumn::Subgroup || column == ImportColumn::Product;
}

bool isItemColumn(ImportColumn column) { return column >= ImportColumn::Group; }

std::string spreadsheetColumnName(int column) {
  std::string name;
  for (; column > 0; column = (column - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
  }
  return name;
}

}  // namespace margem::server
