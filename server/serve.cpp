// SPDX-License-Identifier: MIT
#include "serve.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "connection_pool.h"
#include "rpc_service.h"

namespace margem::server {
namespace {

// A kept-alive connection is let go only when idle: a client that sends its next request just as
// the server closes the connection after its last allowed one finds no reply.
constexpr int kKeepAliveRequests = 1000000;
constexpr auto kStopRetry = std::chrono::milliseconds(5);

// Blocks the stop signals in every thread and hands them to one waiting thread.
sigset_t blockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}

}  // namespace

int serve(const CommandLine& line) {
  const sigset_t signals = blockStopSignals();
  // The HTTP library writes without MSG_NOSIGNAL: a client that goes away in the middle of a reply
  // must end that reply, not the server.
  std::signal(SIGPIPE, SIG_IGN);

  ConnectionPool pool(line.database);
  try {
    pool.acquire();  // opens the database and brings its schema up to date
  } catch (const std::exception& error) {
    std::cerr << "margem-server: the database is not available yet (" << error.what()
              << "); calls will answer an error until it is." << std::endl;
  }

  httplib::Server server;
  const int threads = line.threads;
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_keep_alive_max_count(kKeepAliveRequests);
  server.set_tcp_nodelay(true);  // replies go out whole, without waiting for delayed ACKs
  RpcService service(pool, line.token);
  service.install(server);
  int listener = -1;
  server.set_socket_options([&listener](int socket) {
    httplib::default_socket_options(socket);
    listener = socket;
  });

  int port = line.port;
  if (port == 0) {
    port = server.bind_to_any_port(line.host);
    if (port < 0) port = 0;
  } else if (!server.bind_to_port(line.host, port)) {
    port = 0;
  }
  // The library listens with a queue of 5 connections; of twenty clients that connect at once,
  // some would lose their first request while the queue is full.
  if (port != 0) ::listen(listener, SOMAXCONN);
  if (port == 0) {
    std::cerr << "margem-server: cannot listen on " << line.host << ":" << line.port << std::endl;
    return 1;
  }

  // httplib's stop() does nothing until the listen loop runs, so a signal that comes before it
  // waits for it. The main thread wakes this one with SIGTERM once the loop has ended.
  std::atomic<bool> ended{false};
  std::thread stopper([&server, &ended, signals] {
    int received = 0;
    sigwait(&signals, &received);
    while (!ended && !server.is_running()) std::this_thread::sleep_for(kStopRetry);
    if (!ended) server.stop();
  });

  std::cout << "margem-server listening on " << line.host << ":" << port << std::endl;
  server.listen_after_bind();  // returns once the calls in flight have finished
  ended = true;
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  std::cout << "margem-server stopped" << std::endl;
  return 0;
}

}  // namespace margem::server
