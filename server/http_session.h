// SPDX-License-Identifier: MIT
// One client connection of the server, driven by I/O events on its own strand: it costs a socket
// and a few kilobytes while it waits, never a thread.
//
// Deadlines: a request head must arrive whole within headTimeout of its first byte (a new
// connection's first head, of the connection's start); its body within bodyTimeout; a kept-alive
// connection waits idleTimeout for the next request. A late head or an idle connection is closed;
// a late body is answered 408. Each piece of a reply must leave within bodyTimeout too, or the
// connection closes. A head over 8 KiB is answered 431, a malformed request 400, a body announced
// over kDrainedBodyBytes 413; each such refusal closes the connection after its reply, as it says.
// Without a token on loopback (loopbackHostsOnly) a request for another Host is answered 403.
// Every reply carries "Server: margem-server/<version>".
#pragma once

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/serializer.hpp>
#include <boost/beast/http/string_body.hpp>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "capped_body.h"
#include "connection_limits.h"
#include "http_exchange.h"

namespace margem::server {

struct SessionSettings {
  std::chrono::seconds headTimeout{10};
  std::chrono::seconds bodyTimeout{30};
  std::chrono::seconds idleTimeout{30};
  bool loopbackHostsOnly = false;
};

class HttpSession;

// The sessions alive, so that a server that stops can reach each of them. Shared by the
// sessions, which may outlive the listener.
class SessionRegistry {
 public:
  void add(const std::shared_ptr<HttpSession>& session);
  void remove(const HttpSession* session);
  // Every session, and each one added from now on, is asked to stop.
  void stopAll();

 private:
  std::mutex m_mutex;
  std::unordered_map<const HttpSession*, std::weak_ptr<HttpSession>> m_sessions;
  bool m_stopping = false;
};

class HttpSession : public ReplyChannel, public std::enable_shared_from_this<HttpSession> {
 public:
  // `socket` runs on a strand of its own.
  HttpSession(boost::asio::ip::tcp::socket socket, const SessionSettings& settings,
              RequestHandler& handler, ConnectionLimits::Admission admission,
              std::shared_ptr<SessionRegistry> registry);
  ~HttpSession() override;

  void start();
  // The server stops: a connection between requests closes now, one with a request under way
  // once its reply has gone out. Thread-safe.
  void stop();

  void name(std::string callName) override;
  void send(int status, std::string body) override;
  bool stream(std::string piece) override;
  void endStream(bool complete) override;

 private:
  enum class Stream { None, Open, Failed };
  using Clock = std::chrono::steady_clock;

  void awaitRequest();
  void readHead();
  void onHead(boost::beast::error_code error);
  void readBody();
  void onBody(boost::beast::error_code error);
  // A read that failed; answers what deserves an answer and closes.
  void readFailed(boost::beast::error_code error);
  void dispatch();
  void refuse(int status, const char* message);

  void writeWhole(int status, std::string body);
  void writePiece(std::string piece, std::promise<bool>* sent);
  template <class Buffers>
  void writeOut(const Buffers& buffers, std::promise<bool>* sent);
  void finishStream(bool complete);
  void finishReply(bool delivered);

  void arm(Clock::duration deadline);
  void disarm();
  void close();
  void closeGracefully();
  void drain();

  boost::asio::ip::tcp::socket m_socket;
  boost::asio::steady_timer m_timer;
  const SessionSettings& m_settings;
  RequestHandler& m_handler;
  ConnectionLimits::Admission m_admission;
  std::shared_ptr<SessionRegistry> m_registry;

  std::uint64_t m_phase = 0;  // which deadline the timer is for
  bool m_timedOut = false;
  bool m_stopping = false;
  bool m_busy = false;  // a request is being answered
  bool m_closed = false;
  bool m_keepAlive = false;
  boost::beast::flat_buffer m_buffer;
  std::optional<boost::beast::http::request_parser<CappedBody>> m_parser;
  // Keeps the I/O threads running while a worker answers.
  std::optional<boost::asio::executor_work_guard<boost::asio::any_io_executor>> m_work;

  bool m_closeAfterReply = false;
  std::optional<boost::beast::http::response<boost::beast::http::string_body>> m_reply;
  std::optional<boost::beast::http::response<boost::beast::http::empty_body>> m_streamHead;
  std::optional<boost::beast::http::response_serializer<boost::beast::http::empty_body>>
      m_streamSerializer;
  Stream m_stream = Stream::None;
  std::string m_piece;

  std::string m_callName;
  int m_status = 0;
  Clock::time_point m_requestStart;
  std::uint64_t m_bytesOut = 0;
};

}  // namespace margem::server
