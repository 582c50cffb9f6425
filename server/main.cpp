// SPDX-License-Identifier: MIT
// margem-server: the application server for the remote data module "ORE01400.rdmMargem" and its
// database tools (see command_line.h). Exit status 0 on success, 1 on failure, 2 on bad usage.
#include <fstream>
#include <iostream>
#include <sstream>

#include "command_line.h"
#include "demo_generator.h"
#include "fixture_loader.h"
#include "schema.h"
#include "serve.h"
#include "server_version.h"
#include "transfer_commands.h"

namespace {

using namespace margem::server;

// The tools create a SQLite database that is not there yet, folder and all; `serve` never does.
std::unique_ptr<Connection> openMigrated(const std::string& database) {
  auto connection = openConnection(database, OpenMode::Create);
  migrate(*connection);
  return connection;
}

int runTool(const CommandLine& line) {
  if (line.command == "init") {
    openMigrated(line.database);
    std::cout << "Esquema versão " << currentSchemaVersion() << " pronto." << std::endl;
  } else if (line.command == "demo") {
    auto connection = openMigrated(line.database);
    writeDemo(*connection, {line.seed, line.quotes, line.marginRows});
    std::cout << "Dados de demonstração gravados." << std::endl;
  } else if (line.command == "fixture") {
    std::ifstream file(line.fixtureFile, std::ios::binary);
    if (!file) {
      std::cerr << "margem-server: não foi possível ler " << line.fixtureFile << std::endl;
      return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    auto connection = openMigrated(line.database);
    loadFixture(*connection, text.str());
  } else if (line.command == "import") {
    auto connection = openMigrated(line.database);
    return runImport(*connection, line);
  } else if (line.command == "export") {
    return runExport(line);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  try {
    line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "margem-server: " << error.what()
              << "\nUse \"margem-server --help\" para ver os comandos e suas opções." << std::endl;
    return 2;
  }
  if (line.command == "help") {
    std::cout << helpText(line.helpTopic);
    return 0;
  }
  if (line.command == "version") {
    std::cout << "margem-server " << serverVersion() << std::endl;
    return 0;
  }
  if (line.command == "serve") return serve(line);
  try {
    return runTool(line);
  } catch (const std::exception& error) {
    std::cerr << "margem-server: " << line.command << ": " << error.what() << std::endl;
    return 1;
  }
}
