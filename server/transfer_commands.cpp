// SPDX-License-Identifier: MIT
#include "transfer_commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "quote_export.h"
#include "quote_import.h"
#include "schema.h"

namespace margem::server {

int runImport(Connection& db, const CommandLine& line) {
  ImportRequest request;
  request.files = line.importFiles;
  request.replace = line.replace;
  request.check = line.check;
  if (!line.encoding.empty()) request.encoding = encodingNamed(line.encoding);
  const ImportOutcome outcome = importQuotes(db, request, std::cerr);
  const std::string report = importReport(outcome, line.check);
  if (!outcome.problems.empty()) {
    std::cerr << report << std::flush;
    return 1;
  }
  std::cout << report << std::flush;
  return 0;
}

int runExport(const CommandLine& line) {
  std::unique_ptr<Connection> db;
  try {
    db = openConnection(line.database, OpenMode::ExistingOnly);
  } catch (const DatabaseMissing&) {
    std::cerr << "margem-server: export: o banco de dados " << line.database << " não existe."
              << std::endl;
    return 1;
  }
  migrate(*db);
  ExportRequest request;
  request.branch = line.branch;
  if (!line.from.empty()) request.from = CalendarDay::parse(line.from);
  if (!line.to.empty()) request.to = CalendarDay::parse(line.to);

  const std::string partial = line.exportFile + ".parcial";
  std::vector<char> buffer(1 << 20);
  std::ofstream out;
  out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  out.open(partial, std::ios::binary | std::ios::trunc);
  if (!out) {
    std::cerr << "margem-server: export: não foi possível escrever " << line.exportFile
              << std::endl;
    return 1;
  }
  ExportCounts counts;
  try {
    counts = exportQuotes(*db, request, out);
    out.close();
    if (!out) throw std::runtime_error("não foi possível escrever " + line.exportFile);
    std::filesystem::rename(partial, line.exportFile);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    throw;
  }
  std::cout << "Exportados " << counts.quotes << " orçamentos (" << counts.lines << " linhas) para "
            << line.exportFile << "." << std::endl;
  return 0;
}

}  // namespace margem::server
