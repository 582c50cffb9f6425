// SPDX-License-Identifier: MIT
// Accepts client connections on a bound, listening socket and gives each one a session. A
// connection past the cap on open connections, in all or from its address, is answered 503 with
// Retry-After and closed. When the process runs out of file descriptors, accepting pauses for a
// moment instead of spinning.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <memory>

#include "connection_limits.h"
#include "http_session.h"

namespace margem::server {

class HttpListener : public std::enable_shared_from_this<HttpListener> {
 public:
  HttpListener(boost::asio::io_context& io, boost::asio::ip::tcp::acceptor acceptor,
               const SessionSettings& settings, RequestHandler& handler, ConnectionLimits& limits);

  void start();
  // Stops accepting and asks every session to stop; thread-safe.
  void stop();

 private:
  void accept();
  void onAccept(boost::beast::error_code error, boost::asio::ip::tcp::socket socket);
  // Gives an accepted connection its session, or the refusal when it is over a cap.
  void admit(boost::asio::ip::tcp::socket socket);

  boost::asio::io_context& m_io;
  boost::asio::ip::tcp::acceptor m_acceptor;
  boost::asio::steady_timer m_pause;
  const SessionSettings& m_settings;
  RequestHandler& m_handler;
  ConnectionLimits& m_limits;
  std::shared_ptr<SessionRegistry> m_sessions = std::make_shared<SessionRegistry>();
  bool m_stopped = false;
  std::chrono::steady_clock::time_point m_lastShortageLog;
};

}  // namespace margem::server
