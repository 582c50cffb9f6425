// SPDX-License-Identifier: MIT
#include "quote_import.h"

#include <filesystem>
#include <fstream>

#include "csv_reader.h"
#include "import_layout.h"
#include "import_problems.h"
#include "import_row.h"
#include "import_writer.h"

namespace margem::server {
namespace {

constexpr std::uintmax_t kProgressFromBytes = 4u << 20;

// 1234567 as "1.234.567".
std::string grouped(std::int64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ".");
  return digits;
}

// The decimal mark the file's numbers show first; without one, the mark that goes with its
// separator (a comma where fields are split by ";", a point where by ",").
DecimalMark decimalMarkOf(const std::string& path, TextEncoding encoding,
                          const ImportLayout& layout, char separator) {
  std::ifstream in(path, std::ios::binary);
  CsvReader reader(in, encoding);
  CsvRecord record;
  try {
    if (reader.next(record)) {
      while (reader.next(record)) {
        if (const auto mark = layout.decimalMarkShownBy(record)) return *mark;
      }
    }
  } catch (const CsvSyntaxError&) {
    // Reported when the file itself is read.
  }
  return separator == ',' ? DecimalMark::Point : DecimalMark::Comma;
}

class Import {
 public:
  Import(Connection& db, const ImportRequest& request, std::ostream& progress)
      : m_request(request), m_progress(progress), m_ledger(db, request.replace) {
    if (!request.check) m_writer.emplace(db, request.replace);
  }

  void readFile(int index) {
    const std::string& path = m_request.files[index];
    m_problems.setFile(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      m_problems.add(0, "não foi possível abrir o arquivo");
      return;
    }
    const TextEncoding encoding = m_request.encoding ? *m_request.encoding : detectEncoding(in);
    in.clear();
    in.seekg(0);
    CsvReader reader(in, encoding);
    CsvRecord record;
    try {
      if (!reader.next(record)) {
        m_problems.add(1, "o arquivo está vazio");
        return;
      }
      ImportLayout layout;
      if (!layout.read(record, m_problems)) return;
      const int titleLine = record.line();
      RowReader rows(layout, decimalMarkOf(path, encoding, layout, reader.separator()), m_problems);
      m_ledger.startFile(index, path);
      std::error_code unknown;
      const std::uintmax_t size = std::filesystem::file_size(path, unknown);
      const bool showProgress = !unknown && size >= kProgressFromBytes;
      std::int64_t lines = 0;
      int tenthsShown = 0;
      ImportRow row;
      while (!m_problems.full() && reader.next(record)) {
        ++lines;
        if (rows.read(record, row) && m_ledger.admit(row, record.line(), rows) && m_writer &&
            m_problems.empty()) {
          m_writer->write(row);
        }
        if (showProgress &&
            reader.bytesRead() * 10 / size > static_cast<std::uintmax_t>(tenthsShown)) {
          tenthsShown = static_cast<int>(reader.bytesRead() * 10 / size);
          m_progress << path << ": " << tenthsShown * 10 << "% lido (" << grouped(lines)
                     << " linhas)" << std::endl;
        }
      }
      if (lines == 0) {
        m_problems.add(titleLine + 1, "o arquivo só tem a linha de títulos, nenhum orçamento");
      }
    } catch (const CsvSyntaxError& error) {
      m_problems.add(error.line, error.column, {}, error.what());
    }
  }

  ImportOutcome finish() {
    if (m_writer && m_problems.empty()) m_writer->finish();
    return {m_problems.messages(), m_problems.full(), m_ledger.counts()};
  }

 private:
  const ImportRequest& m_request;
  std::ostream& m_progress;
  ImportProblems m_problems;
  ImportLedger m_ledger;
  std::optional<ImportWriter> m_writer;
};

}  // namespace

ImportOutcome importQuotes(Connection& db, const ImportRequest& request, std::ostream& progress) {
  std::optional<Transaction> transaction;
  if (!request.check) transaction.emplace(db);
  Import import(db, request, progress);
  for (std::size_t i = 0; i < request.files.size(); ++i) import.readFile(static_cast<int>(i));
  ImportOutcome outcome = import.finish();
  if (transaction && outcome.problems.empty()) {
    transaction->commit();
    db.execute("ANALYZE");  // the planner's statistics, for the new rows as for the rest
  }
  return outcome;
}

std::string importReport(const ImportOutcome& outcome, bool check) {
  std::string text;
  if (!outcome.problems.empty()) {
    for (const auto& problem : outcome.problems) text += problem + "\n";
    const auto count = static_cast<std::int64_t>(outcome.problems.size());
    text += grouped(count) + (count == 1 ? " problema encontrado" : " problemas encontrados");
    if (outcome.stoppedEarly) text += " (a leitura parou aqui)";
    return text + "; nada foi gravado.\n";
  }
  const ImportCounts& c = outcome.counts;
  if (check) text += "Nenhum problema encontrado; nada foi gravado (--check). Seriam gravados:\n";
  text += "Orçamentos: " + grouped(c.quotesAdded) + " novos, " + grouped(c.quotesReplaced) +
          " substituídos\n";
  text += "Opções: " + grouped(c.options) + "\n";
  text += "Itens: " + grouped(c.items) + "\n";
  text += "Subgrupos criados: " + grouped(c.subgroupsCreated) +
          ", redefinidos: " + grouped(c.subgroupsChanged) + "\n";
  text += "Produtos criados: " + grouped(c.productsCreated) + "\n";
  return text;
}

}  // namespace margem::server
