// SPDX-License-Identifier: MIT
#include "serve.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/strand.hpp>
#include <csignal>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "call_log.h"
#include "connection_pool.h"
#include "http_listener.h"
#include "open_files_limit.h"
#include "rpc_service.h"
#include "worker_pool.h"

namespace margem::server {
namespace {

namespace net = boost::asio;
using boost::system::error_code;
using net::ip::tcp;

// File descriptors kept for what is not a client connection: the database workers' connections
// (with SQLite's journal files) and the server's own.
int reservedFiles(int threads) { return 3 * threads + 64; }

int ioThreads() { return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4); }

std::optional<tcp::endpoint> resolve(net::io_context& io, const CommandLine& line) {
  tcp::resolver resolver(io);
  error_code error;
  const auto results =
      resolver.resolve(line.host, std::to_string(line.port),
                       tcp::resolver::passive | tcp::resolver::numeric_service, error);
  if (error || results.empty()) return std::nullopt;
  return results.begin()->endpoint();
}

// HOST:PORT, an IPv6 host in brackets.
std::string displayAddress(const std::string& host, int port) {
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string bindFailure(const CommandLine& line, const error_code& error) {
  const std::string address = displayAddress(line.host, line.port);
  if (error == net::error::address_in_use) return "O endereço " + address + " já está em uso.";
  if (error == boost::system::errc::address_not_available) {
    return "O endereço " + address + " não pertence a esta máquina.";
  }
  if (error == net::error::access_denied) {
    return "Sem permissão para atender em " + address + ".";
  }
  return "Não foi possível atender em " + address + ".";
}

// Opens, binds and listens; never shares the port (no SO_REUSEPORT): a second server on the
// same address fails here. SO_REUSEADDR only lets a restarted server bind while connections of
// the previous one linger.
std::optional<tcp::acceptor> listenOn(net::io_context& io, const tcp::endpoint& endpoint,
                                      const CommandLine& line) {
  tcp::acceptor acceptor(net::make_strand(io));
  error_code error;
  acceptor.open(endpoint.protocol(), error);
  if (!error) acceptor.set_option(net::socket_base::reuse_address(true), error);
  if (!error) acceptor.bind(endpoint, error);
  if (!error) acceptor.listen(net::socket_base::max_listen_connections, error);
  if (error) {
    std::cerr << "margem-server: " << bindFailure(line, error) << std::endl;
    return std::nullopt;
  }
  return acceptor;
}

ConnectionRules rulesWithinFileLimit(ConnectionRules rules, int threads) {
  const auto files = static_cast<std::int64_t>(raiseOpenFilesLimit());
  const std::int64_t room = std::max<std::int64_t>(files - reservedFiles(threads), 16);
  if (rules.maxConnections > room) {
    rules.maxConnections = static_cast<int>(room);
    logLine("margem-server: o limite de arquivos abertos do sistema (" + std::to_string(files) +
            ") reduz o máximo de conexões a " + std::to_string(room) + ".");
  }
  return rules;
}

}  // namespace

int serve(const CommandLine& line) {
  // A client that goes away in the middle of a reply must end that reply, not the server.
  std::signal(SIGPIPE, SIG_IGN);
  net::io_context io;

  const std::optional<tcp::endpoint> endpoint = resolve(io, line);
  if (!endpoint) {
    std::cerr << "margem-server: o endereço \"" << line.host << "\" de --listen não foi encontrado."
              << std::endl;
    return 1;
  }
  const bool loopback = endpoint->address().is_loopback();
  if (!loopback && line.token.empty() && !line.insecureNoToken) {
    std::cerr << "margem-server: atender em " << displayAddress(line.host, line.port)
              << " sem token deixaria qualquer um na rede ler os orçamentos. Informe --token "
                 "(ou MARGEM_TOKEN), ou --insecure-no-token para atender assim mesmo."
              << std::endl;
    return 2;
  }
  std::optional<tcp::acceptor> acceptor = listenOn(io, *endpoint, line);
  if (!acceptor) return 1;
  const int port = acceptor->local_endpoint().port();

  const ConnectionRules rules = rulesWithinFileLimit(line.rules, line.threads);
  ConnectionPool pool(line.database);
  try {
    pool.acquire();  // opens the database and brings its schema up to date
  } catch (const std::exception& error) {
    logLine(std::string("margem-server: o banco de dados ainda não está disponível (") +
            error.what() + "); as chamadas responderão com erro até que esteja.");
  }

  WorkerPool workers(line.threads);
  RpcService service(pool, workers, line.token);
  ConnectionLimits limits(rules.maxConnections, rules.maxPerAddress);
  const SessionSettings settings{std::chrono::seconds(rules.headTimeoutSeconds),
                                 std::chrono::seconds(rules.bodyTimeoutSeconds),
                                 std::chrono::seconds(rules.idleTimeoutSeconds),
                                 line.token.empty() && loopback};
  auto listener =
      std::make_shared<HttpListener>(io, std::move(*acceptor), settings, service, limits);
  net::signal_set signals(io, SIGINT, SIGTERM);
  signals.async_wait([listener](const error_code& error, int) {
    if (!error) listener->stop();
  });
  listener->start();
  listener.reset();

  std::cout << "margem-server atendendo em " << displayAddress(line.host, port) << std::endl;
  // run() returns once the listener and every connection have ended.
  std::vector<std::thread> threads;
  for (int i = 1; i < ioThreads(); ++i) threads.emplace_back([&io] { io.run(); });
  io.run();
  for (auto& thread : threads) thread.join();
  workers.finish();
  std::cout << "margem-server parado" << std::endl;
  return 0;
}

}  // namespace margem::server
