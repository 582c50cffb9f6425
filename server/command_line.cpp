// SPDX-License-Identifier: MIT
#include "command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "import_values.h"
#include "text_encoding.h"
#include "utf8_step.h"

namespace margem::server {
namespace {

using Apply = void (*)(CommandLine&, const std::string&);

struct Option {
  std::string name;
  std::string value;  // what the value stands for in the help; empty for a flag
  std::string help;
  Apply apply;
};

// A command with its options. Adding a command is adding one entry to commands().
struct Command {
  std::string name;
  std::string operand;  // the file or other argument it takes besides options, if any
  std::string summary;
  std::vector<Option> options;
  Apply takeOperand = nullptr;                  // null: the command takes no operand
  void (*check)(const CommandLine&) = nullptr;  // what must hold once everything is read
};

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

int seconds(const std::string& option, const std::string& text) {
  return static_cast<int>(number(option, text, 1, 3600));
}

void setListen(CommandLine& line, const std::string& text) {
  const auto colon = text.rfind(':');
  std::string host = colon == std::string::npos ? std::string() : text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);  // [::1]:8211
  }
  if (host.empty()) {
    throw UsageError("--listen espera HOST:PORTA (por exemplo 127.0.0.1:8211), recebeu \"" + text +
                     "\".");
  }
  line.host = host;
  line.port = static_cast<int>(number("--listen", text.substr(colon + 1), 0, 65535));
}

void setToken(CommandLine& line, const std::string& token) {
  if (token.empty()) {
    throw UsageError(
        "O token de acesso não pode ser vazio: informe um token ou deixe --token e "
        "MARGEM_TOKEN de fora.");
  }
  line.token = token;
}

std::string dateOption(const std::string& option, const std::string& text) {
  const auto parsed = parseDateTime(text);
  if (!parsed) {
    throw UsageError(option + " espera uma data dd/mm/aaaa (ou aaaa-mm-dd), recebeu \"" + text +
                     "\".");
  }
  return *parsed;
}

const Option kDatabaseOption{
    "--db", "DB",
    "o banco: sqlite:CAMINHO (padrão sqlite:var/margem.db) ou uma conexão PostgreSQL "
    "(postgresql://... ou host=... dbname=...)",
    [](CommandLine& l, const std::string& v) { l.database = v; }};

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"serve",
       "",
       "atende o módulo remoto \"ORE01400.rdmMargem\" por HTTP até receber SIGINT ou SIGTERM",
       {kDatabaseOption,
        {"--listen", "HOST:PORTA",
         "onde atende (padrão 127.0.0.1:8211; a porta 0 escolhe uma livre); fora do endereço "
         "local exige --token",
         setListen},
        {"--token", "T", "exige \"Authorization: Bearer T\" em toda chamada", setToken},
        {"--insecure-no-token", "",
         "aceita --listen fora do endereço local sem token: qualquer um na rede lê os orçamentos",
         [](CommandLine& l, const std::string&) { l.insecureNoToken = true; }},
        {"--threads", "N", "chamadas ao banco ao mesmo tempo, e conexões com ele (padrão 32)",
         [](CommandLine& l, const std::string& v) {
           l.threads = static_cast<int>(number("--threads", v, 1, 1024));
         }},
        {"--head-timeout", "S",
         "segundos para o cabeçalho de uma requisição chegar inteiro (padrão 10)",
         [](CommandLine& l, const std::string& v) {
           l.rules.headTimeoutSeconds = seconds("--head-timeout", v);
         }},
        {"--body-timeout", "S",
         "segundos para o corpo de uma requisição chegar, e para cada parte da resposta sair "
         "(padrão 30)",
         [](CommandLine& l, const std::string& v) {
           l.rules.bodyTimeoutSeconds = seconds("--body-timeout", v);
         }},
        {"--idle-timeout", "S",
         "segundos que uma conexão mantida aberta espera a próxima requisição (padrão 30)",
         [](CommandLine& l, const std::string& v) {
           l.rules.idleTimeoutSeconds = seconds("--idle-timeout", v);
         }},
        {"--max-connections", "N", "conexões abertas ao mesmo tempo (padrão 10000)",
         [](CommandLine& l, const std::string& v) {
           l.rules.maxConnections = static_cast<int>(number("--max-connections", v, 1, 1000000));
         }},
        {"--max-per-address", "N", "conexões abertas por endereço de cliente (padrão 256)",
         [](CommandLine& l, const std::string& v) {
           l.rules.maxPerAddress = static_cast<int>(number("--max-per-address", v, 1, 1000000));
         }}}},
      {"init", "", "cria ou atualiza o esquema do banco", {kDatabaseOption}},
      {"demo",
       "",
       "grava os dados de demonstração num banco sem orçamentos (mesma semente, mesmos dados)",
       {kDatabaseOption,
        {"--seed", "N", "semente dos dados (padrão 1)",
         [](CommandLine& l, const std::string& v) {
           l.seed = static_cast<std::uint32_t>(number("--seed", v, 0, 4294967295LL));
         }},
        {"--quotes", "N", "quantidade de orçamentos (padrão 200)",
         [](CommandLine& l, const std::string& v) {
           l.quotes = static_cast<int>(number("--quotes", v, 0, 1000000));
         }},
        {"--margin-rows", "N",
         "acrescenta a filial 0099 com N linhas de margem em 2025, para medições (padrão 0)",
         [](CommandLine& l, const std::string& v) {
           l.marginRows = number("--margin-rows", v, 0, 100000000);
         }}}},
      {"fixture",
       "ARQUIVO.json",
       "carrega um cenário de teste numa só transação (formato em server/FIXTURES.md)",
       {kDatabaseOption},
       [](CommandLine& l, const std::string& v) {
         if (!l.fixtureFile.empty()) throw UsageError("Argumento inesperado: \"" + v + "\".");
         l.fixtureFile = v;
       },
       [](const CommandLine& l) {
         if (l.fixtureFile.empty()) throw UsageError("fixture precisa do arquivo JSON a carregar.");
       }},
      {"import",
       "ARQUIVO.csv...",
       "lê orçamentos de arquivos CSV de planilha, todos conferidos antes de gravar, numa só "
       "transação (formato em server/IMPORT.md)",
       {kDatabaseOption,
        {"--replace", "", "substitui por inteiro os orçamentos que já existem",
         [](CommandLine& l, const std::string&) { l.replace = true; }},
        {"--check", "", "só confere os arquivos e mostra o resumo, sem gravar nada",
         [](CommandLine& l, const std::string&) { l.check = true; }},
        {"--encoding", "E",
         "codificação dos arquivos, utf-8 ou windows-1252 (padrão: detectada em cada arquivo)",
         [](CommandLine& l, const std::string& v) {
           if (!encodingNamed(v)) {
             throw UsageError("--encoding espera utf-8 ou windows-1252, recebeu \"" + v + "\".");
           }
           l.encoding = v;
         }}},
       [](CommandLine& l, const std::string& v) { l.importFiles.push_back(v); },
       [](const CommandLine& l) {
         if (l.importFiles.empty()) throw UsageError("import precisa de ao menos um arquivo CSV.");
       }},
      {"export",
       "ARQUIVO.csv",
       "escreve orçamentos no mesmo formato CSV do import",
       {kDatabaseOption,
        {"--branch", "FILIAL", "só os orçamentos desta filial (padrão: todas)",
         [](CommandLine& l, const std::string& v) { l.branch = v; }},
        {"--from", "DATA",
         "só os orçamentos incluídos a partir deste dia (dd/mm/aaaa ou aaaa-mm-dd)",
         [](CommandLine& l, const std::string& v) { l.from = dateOption("--from", v); }},
        {"--to", "DATA", "só os orçamentos incluídos até este dia, inclusive",
         [](CommandLine& l, const std::string& v) { l.to = dateOption("--to", v); }}},
       [](CommandLine& l, const std::string& v) {
         if (!l.exportFile.empty()) throw UsageError("Argumento inesperado: \"" + v + "\".");
         l.exportFile = v;
       },
       [](const CommandLine& l) {
         if (l.exportFile.empty()) throw UsageError("export precisa do arquivo CSV a escrever.");
       }},
  };
  return table;
}

const Command* findCommand(const std::string& name) {
  for (const Command& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

bool isHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

// Returns true when MARGEM_TOKEN is set but empty: an error unless --token gives one.
bool applyEnvironment(CommandLine& line) {
  if (const char* db = std::getenv("MARGEM_DB"); db && *db) line.database = db;
  if (line.command != "serve") return false;
  if (const char* listen = std::getenv("MARGEM_LISTEN"); listen && *listen) {
    setListen(line, listen);
  }
  const char* token = std::getenv("MARGEM_TOKEN");
  if (token && *token) line.token = token;
  return token && !*token;
}

std::string optionColumn(const Option& option) {
  return option.value.empty() ? option.name : option.name + " " + option.value;
}

// `text` broken into lines of at most kHelpWidth characters, the lines after the first
// indented by `indent`.
std::string wrapped(const std::string& text, std::size_t indent) {
  constexpr std::size_t kHelpWidth = 100;
  std::string result;
  std::size_t column = indent;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view word(text.data() + start, end - start);
    if (column > indent && column + 1 + utf8Length(word) > kHelpWidth) {
      result += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      result += ' ';
      ++column;
    }
    result += word;
    column += utf8Length(word);
    start = end + 1;
  }
  return result + "\n";
}

// Pads in characters, so that accented names line up as well.
std::string padded(const std::string& text, std::size_t width) {
  const std::size_t characters = utf8Length(text);
  return text + std::string(width > characters ? width - characters : 1, ' ');
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  if (arguments.empty()) {
    throw UsageError("Informe o comando: serve, init, demo, fixture, import ou export.");
  }
  const std::string& first = arguments[0];
  if (first == "help" || isHelp(first)) {
    line.command = "help";
    return line;
  }
  if (first == "--version") {
    line.command = "version";
    return line;
  }
  const Command* command = findCommand(first);
  if (!command) throw UsageError("Comando desconhecido: \"" + first + "\".");
  if (std::any_of(arguments.begin() + 1, arguments.end(), isHelp)) {
    line.command = "help";
    line.helpTopic = command->name;
    return line;
  }
  line.command = command->name;
  const bool emptyTokenInEnvironment = applyEnvironment(line);

  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("--")) {
      if (!command->takeOperand) throw UsageError("Argumento inesperado: \"" + argument + "\".");
      command->takeOperand(line, argument);
      continue;
    }
    const auto option = std::find_if(command->options.begin(), command->options.end(),
                                     [&](const Option& o) { return o.name == argument; });
    if (option == command->options.end()) {
      throw UsageError("Opção desconhecida para " + command->name + ": " + argument + ".");
    }
    if (option->value.empty()) {
      option->apply(line, {});
      continue;
    }
    if (i + 1 >= arguments.size()) throw UsageError(argument + " precisa de um valor.");
    option->apply(line, arguments[++i]);
  }
  if (emptyTokenInEnvironment && line.token.empty()) setToken(line, {});
  if (command->check) command->check(line);
  return line;
}

std::string helpText(const std::string& name) {
  const Command* command = findCommand(name);
  if (!command) {
    std::string text = "Uso: margem-server COMANDO [opções]\n\nComandos:\n";
    for (const Command& c : commands()) text += "  " + padded(c.name, 10) + wrapped(c.summary, 12);
    text +=
        "\n  margem-server --version mostra a versão.\n"
        "  margem-server COMANDO --help mostra as opções do comando.\n";
    return text;
  }
  std::string text = "Uso: margem-server " + command->name + " [opções]";
  if (!command->operand.empty()) text += " " + command->operand;
  std::string summary = command->summary + ".";
  summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  text += "\n" + wrapped(summary, 0) + "\nOpções:\n";
  std::size_t width = std::string("--help").size();
  for (const Option& option : command->options) {
    width = std::max(width, optionColumn(option).size());
  }
  for (const Option& option : command->options) {
    text += "  " + padded(optionColumn(option), width + 2) + wrapped(option.help, width + 4);
  }
  text += "  " + padded("--help", width + 2) + "mostra esta ajuda\n";
  text += "\n" + wrapped(command->name == "serve"
                             ? "Variáveis: MARGEM_DB, MARGEM_LISTEN e MARGEM_TOKEN valem como "
                               "--db, --listen e --token; a opção na linha de comando prevalece."
                             : "Variável: MARGEM_DB vale como --db; a opção na linha de comando "
                               "prevalece.",
                         0);
  return text;
}

}  // namespace margem::server
