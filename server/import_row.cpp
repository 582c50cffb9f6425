// SPDX-License-Identifier: MIT
#include "import_row.h"

#include "utf8_step.h"

namespace margem::server {
namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

RowReader::RowReader(const ImportLayout& layout, DecimalMark mark, ImportProblems& problems)
    : m_layout(layout), m_mark(mark), m_problems(problems) {}

std::string_view RowReader::raw(ImportColumn column) const {
  const auto index = m_layout.indexOf(column);
  return index ? m_record->field(*index) : std::string_view();
}

void RowReader::complain(ImportColumn column, const std::string& message) {
  m_faulty = true;
  const std::size_t index = *m_layout.indexOf(column);
  m_problems.add(m_record->lineOf(index), static_cast<int>(index) + 1, columnTitle(column),
                 message);
}

std::string RowReader::checked(ImportColumn column, std::string value, std::size_t width) {
  if (!isWellFormedUtf8(value)) {
    complain(column,
             "o texto tem bytes que não são UTF-8 (o arquivo é Windows-1252? use "
             "--encoding windows-1252)");
    return {};
  }
  if (utf8Length(value) > width) {
    complain(column, quoted(value) + " passa de " + std::to_string(width) + " caracteres");
  }
  return value;
}

std::string RowReader::text(ImportColumn column, std::size_t width) {
  return checked(column, std::string(raw(column)), width);
}

std::string RowReader::code(ImportColumn column, std::size_t width) {
  return checked(column, std::string(trimmed(raw(column))), width);
}

std::string RowReader::filled(ImportColumn column, std::size_t width) {
  return checked(column, filledCode(raw(column), width), width);
}

std::optional<double> RowReader::number(ImportColumn column) {
  const std::string_view value = raw(column);
  if (trimmed(value).empty()) return std::nullopt;
  const auto parsed = parseNumber(value, m_mark);
  if (!parsed) {
    complain(column, quoted(value) + " não é um número (este arquivo usa " +
                         (m_mark == DecimalMark::Comma ? "vírgula" : "ponto") +
                         " como separador decimal)");
  }
  return parsed;
}

std::string RowReader::dateTime(ImportColumn column) {
  const std::string_view value = raw(column);
  if (trimmed(value).empty()) return {};
  const auto parsed = parseDateTime(value);
  if (!parsed) {
    complain(column,
             quoted(value) + " não é uma data (dd/mm/aaaa, dd/mm/aaaa hh:mm ou aaaa-mm-dd)");
    return {};
  }
  return *parsed;
}

std::string RowReader::flag(ImportColumn column, const char* fallback) {
  const std::string_view value = raw(column);
  if (trimmed(value).empty()) return fallback;
  const auto parsed = parseFlag(value);
  if (!parsed) complain(column, quoted(value) + " não é S nem N");
  return parsed.value_or(fallback);
}

void RowReader::required(ImportColumn column, const std::string& value) {
  if (value.empty()) complain(column, "valor obrigatório vazio");
}

void RowReader::readQuote(ImportRow& row) {
  QuoteSpec& quote = row.quote;
  quote.branch = filled(ImportColumn::Branch, 4);
  required(ImportColumn::Branch, quote.branch);
  quote.number = filled(ImportColumn::Number, 10);
  required(ImportColumn::Number, quote.number);
  quote.sequence = filled(ImportColumn::Sequence, 2);
  if (quote.sequence.empty()) quote.sequence = "01";
  quote.eventAt = dateTime(ImportColumn::EventAt);
  const bool includedWritten = !trimmed(raw(ImportColumn::IncludedAt)).empty();
  quote.includedAt = dateTime(ImportColumn::IncludedAt);
  if (!includedWritten) required(ImportColumn::IncludedAt, {});
  quote.clientTradeName = text(ImportColumn::ClientTradeName, 50);
  quote.clientName = text(ImportColumn::ClientName, 50);
  quote.eventType = text(ImportColumn::EventType, 30);
  quote.serviceType = text(ImportColumn::ServiceType, 30);
  const auto serviceExpense = number(ImportColumn::ServiceExpense);
  quote.serviceExpensePct = serviceExpense.value_or(0);
  if (quote.serviceType.empty() && serviceExpense) quote.serviceType = "Serviço";
  quote.guests = number(ImportColumn::Guests);
  quote.hall = text(ImportColumn::Hall, 50);
  quote.commissionPct = number(ImportColumn::Commission);
  row.option = filled(ImportColumn::Option, 2);
  row.optionDiscount = number(ImportColumn::OptionDiscount).value_or(0);
  if (row.option.empty() && row.optionDiscount != 0) {
    complain(ImportColumn::OptionDiscount, "desconto de opção numa linha sem opção");
  }
}

void RowReader::readItem(ImportRow& row) {
  row.hasItem = !trimmed(raw(ImportColumn::Product)).empty();
  if (!row.hasItem) {
    for (const ImportColumn column : allImportColumns()) {
      if (isItemColumn(column) && m_layout.indexOf(column) && !trimmed(raw(column)).empty()) {
        complain(column, "a linha não tem Produto, mas tem valor nesta coluna do item");
      }
    }
    return;
  }
  SubgroupSpec& subgroup = row.subgroup;
  subgroup.groupCode = code(ImportColumn::Group, 10);
  required(ImportColumn::Group, subgroup.groupCode);
  subgroup.groupName = text(ImportColumn::GroupName, 40);
  if (subgroup.groupName.empty()) subgroup.groupName = subgroup.groupCode;
  subgroup.code = code(ImportColumn::Subgroup, 10);
  required(ImportColumn::Subgroup, subgroup.code);
  subgroup.name = text(ImportColumn::SubgroupName, 40);
  if (subgroup.name.empty()) subgroup.name = subgroup.code;
  subgroup.expensePct = number(ImportColumn::SubgroupExpense).value_or(0);
  subgroup.takesDiscounts = flag(ImportColumn::TakesDiscounts, "S");
  subgroup.sharesFreight = flag(ImportColumn::SharesFreight, "N");
  subgroup.isFreight = flag(ImportColumn::IsFreight, "N");

  ItemSpec& item = row.item;
  item.productCode = code(ImportColumn::Product, 20);
  item.productName = text(ImportColumn::ProductName, 50);
  item.unit = text(ImportColumn::Unit, 10);
  item.subgroupCode = subgroup.code;
  item.value = number(ImportColumn::Value).value_or(0);
  item.materialsPct = number(ImportColumn::Materials).value_or(0);
  item.otherPct = number(ImportColumn::Other).value_or(0);
  item.freight = number(ImportColumn::Freight).value_or(0);
}

bool RowReader::read(const CsvRecord& record, ImportRow& row) {
  m_record = &record;
  m_faulty = false;
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (!m_layout.isTitled(i) && !trimmed(record.field(i)).empty()) {
      m_faulty = true;
      m_problems.add(record.lineOf(i), static_cast<int>(i) + 1, {},
                     "valor numa coluna sem título (\"" + std::string(record.field(i)) + "\")");
    }
  }
  readQuote(row);
  readItem(row);
  return !m_faulty;
}

}  // namespace margem::server
