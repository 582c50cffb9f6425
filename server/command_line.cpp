// SPDX-License-Identifier: MIT
#include "command_line.h"

#include <charconv>
#include <cstdlib>

#include "import_values.h"
#include "text_encoding.h"

namespace margem::server {
namespace {

std::int64_t number(const std::string& option, const std::string& text, std::int64_t lowest,
                    std::int64_t highest) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
      value > highest) {
    throw UsageError(option + " espera um número inteiro entre " + std::to_string(lowest) + " e " +
                     std::to_string(highest) + ", recebeu \"" + text + "\".");
  }
  return value;
}

void setListen(CommandLine& line, const std::string& text) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) {
    throw UsageError("--listen espera HOST:PORTA (por exemplo 127.0.0.1:8211), recebeu \"" + text +
                     "\".");
  }
  line.host = text.substr(0, colon);
  line.port = static_cast<int>(number("--listen", text.substr(colon + 1), 0, 65535));
}

void applyEnvironment(CommandLine& line) {
  if (const char* db = std::getenv("MARGEM_DB"); db && *db) line.database = db;
  if (const char* listen = std::getenv("MARGEM_LISTEN"); listen && *listen) {
    setListen(line, listen);
  }
  if (const char* token = std::getenv("MARGEM_TOKEN"); token && *token) line.token = token;
}

std::string dateOption(const std::string& option, const std::string& text) {
  const auto parsed = parseDateTime(text);
  if (!parsed) {
    throw UsageError(option + " espera uma data dd/mm/aaaa (ou aaaa-mm-dd), recebeu \"" + text +
                     "\".");
  }
  return *parsed;
}

// The options of import and export that take a value; false for any other.
bool setTransferOption(CommandLine& line, const std::string& option, const std::string& value) {
  if (option == "--encoding" && line.command == "import") {
    if (!encodingNamed(value)) {
      throw UsageError("--encoding espera utf-8 ou windows-1252, recebeu \"" + value + "\".");
    }
    line.encoding = value;
  } else if (option == "--branch" && line.command == "export") {
    line.branch = value;
  } else if (option == "--from" && line.command == "export") {
    line.from = dateOption(option, value);
  } else if (option == "--to" && line.command == "export") {
    line.to = dateOption(option, value);
  } else {
    return false;
  }
  return true;
}

// A file named on the command line; false when the command takes no more of them.
bool takeFile(CommandLine& line, const std::string& file) {
  if (line.command == "import") {
    line.importFiles.push_back(file);
  } else if (line.command == "export" && line.exportFile.empty()) {
    line.exportFile = file;
  } else if (line.command == "fixture" && line.fixtureFile.empty()) {
    line.fixtureFile = file;
  } else {
    return false;
  }
  return true;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) {
    throw UsageError("Informe o comando: serve, init, demo, fixture, import ou export.");
  }
  line.command = arguments[0];
  if (line.command == "help" || line.command == "--help" || line.command == "-h") {
    line.command = "help";
    return line;
  }
  if (line.command != "serve" && line.command != "init" && line.command != "demo" &&
      line.command != "fixture" && line.command != "import" && line.command != "export") {
    throw UsageError("Comando desconhecido: \"" + line.command + "\".");
  }
  applyEnvironment(line);

  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (!option.starts_with("--")) {
      if (!takeFile(line, option)) throw UsageError("Argumento inesperado: \"" + option + "\".");
      continue;
    }
    if ((option == "--replace" || option == "--check") && line.command == "import") {
      (option == "--replace" ? line.replace : line.check) = true;
      continue;
    }
    if (i + 1 >= arguments.size()) throw UsageError(option + " precisa de um valor.");
    const std::string& value = arguments[++i];
    if (setTransferOption(line, option, value)) continue;
    if (option == "--db") {
      line.database = value;
    } else if (option == "--listen" && line.command == "serve") {
      setListen(line, value);
    } else if (option == "--token" && line.command == "serve") {
      line.token = value;
    } else if (option == "--threads" && line.command == "serve") {
      line.threads = static_cast<int>(number(option, value, 1, 1024));
    } else if (option == "--seed" && line.command == "demo") {
      line.seed = static_cast<std::uint32_t>(number(option, value, 0, 4294967295LL));
    } else if (option == "--quotes" && line.command == "demo") {
      line.quotes = static_cast<int>(number(option, value, 0, 1000000));
    } else if (option == "--margin-rows" && line.command == "demo") {
      line.marginRows = number(option, value, 0, 100000000);
    } else {
      throw UsageError("Opção desconhecida para " + line.command + ": " + option + ".");
    }
  }
  if (line.command == "fixture" && line.fixtureFile.empty()) {
    throw UsageError("fixture precisa do arquivo JSON a carregar.");
  }
  if (line.command == "import" && line.importFiles.empty()) {
    throw UsageError("import precisa de ao menos um arquivo CSV.");
  }
  if (line.command == "export" && line.exportFile.empty()) {
    throw UsageError("export precisa do arquivo CSV a escrever.");
  }
  return line;
}

std::string usageText() {
  return "Uso:\n"
         "  margem-server serve   [--db DB] [--listen HOST:PORTA] [--token T] [--threads N]\n"
         "  margem-server init    [--db DB]\n"
         "  margem-server demo    [--db DB] [--seed N] [--quotes N] [--margin-rows N]\n"
         "  margem-server fixture [--db DB] ARQUIVO.json\n"
         "  margem-server import  [--db DB] [--replace] [--check] [--encoding utf-8|windows-1252]\n"
         "                        ARQUIVO.csv...\n"
         "  margem-server export  [--db DB] [--branch FILIAL] [--from DATA] [--to DATA] "
         "ARQUIVO.csv\n"
         "DATA: dd/mm/aaaa ou aaaa-mm-dd, dia de inclusão do orçamento (os dois inclusive).\n"
         "DB: sqlite:CAMINHO (padrão sqlite:var/margem.db) ou uma conexão PostgreSQL\n"
         "(postgresql://... ou host=... dbname=...). Padrão de --listen: 127.0.0.1:8211.\n"
         "Variáveis: MARGEM_DB, MARGEM_LISTEN, MARGEM_TOKEN.\n";
}

}  // namespace margem::server
