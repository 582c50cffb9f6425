// SPDX-License-Identifier: MIT
// The command line of margem-server: one command with its options, or --help, or --version.
//   margem-server serve   [--db DB] [--listen HOST:PORT] [--token T] [--threads N] ...
//   margem-server init    [--db DB]
//   margem-server demo    [--db DB] [--seed N] [--quotes N] [--margin-rows N]
//   margem-server fixture [--db DB] FILE.json
//   margem-server import  [--db DB] [--replace] [--check] [--encoding E] FILE.csv...
//   margem-server export  [--db DB] [--branch B] [--from DATE] [--to DATE] FILE.csv
// Every command takes --help. DB is "sqlite:PATH" or a PostgreSQL connection string. MARGEM_DB
// stands in for --db, and for `serve` MARGEM_LISTEN and MARGEM_TOKEN for --listen and --token;
// an option given on the command line wins. Raises UsageError with a message for the user on
// anything it cannot read, and on an empty token.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace margem::server {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kDefaultDatabase = "sqlite:var/margem.db";
inline constexpr const char* kDefaultHost = "127.0.0.1";
inline constexpr int kDefaultPort = 8211;
inline constexpr int kDefaultThreads = 32;

// How long a client may take and how many connections it may hold (see serve.h).
struct ConnectionRules {
  int headTimeoutSeconds = 10;  // a request head, from its first byte to its end
  int bodyTimeoutSeconds = 30;  // a request body; also each piece of a reply going out
  int idleTimeoutSeconds = 30;  // a kept-alive connection waiting for its next request
  int maxConnections = 10000;
  int maxPerAddress = 256;
};

struct CommandLine {
  std::string command;    // serve, init, demo, fixture, import, export, help or version
  std::string helpTopic;  // help: the command asked about, empty for the overview
  std::string database = kDefaultDatabase;
  std::string host = kDefaultHost;
  int port = kDefaultPort;  // 0: any free port, printed once bound
  std::string token;
  bool insecureNoToken = false;  // serve beyond loopback without a token, knowingly
  int threads = kDefaultThreads;
  ConnectionRules rules;
  std::uint32_t seed = 1;
  int quotes = 200;
  std::int64_t marginRows = 0;  // benchmark branch size; 0 for none
  std::string fixtureFile;
  std::vector<std::string> importFiles;
  bool replace = false;  // import: existing quotes are replaced whole
  bool check = false;    // import: check only, write nothing
  std::string encoding;  // import: empty to detect it per file
  std::string exportFile;
  std::string branch;  // export: empty for every branch
  std::string from;    // export: "YYYY-MM-DDTHH:MM:SS" or empty
  std::string to;
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The overview of every command, or the help of one (`command` as parsed into helpTopic).
std::string helpText(const std::string& command = {});

}  // namespace margem::server
