// SPDX-License-Identifier: MIT
#include "http_session.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/buffers_cat.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/chunk_encode.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include "call_log.h"
#include "loopback_host.h"
#include "rpc_error.h"
#include "rpc_request.h"
#include "server_version.h"

namespace margem::server {
namespace {

namespace net = boost::asio;
namespace http = boost::beast::http;
using boost::beast::error_code;

constexpr std::size_t kHeadBytes = 8 * 1024;
// How long a closing connection waits for its client to read the last reply and close.
constexpr auto kLingerTime = std::chrono::seconds(2);
constexpr std::size_t kDrainBytes = 4096;

bool isHttpError(const error_code& error) {
  return error.category() == http::make_error_code(http::error::bad_target).category();
}

}  // namespace

void SessionRegistry::add(const std::shared_ptr<HttpSession>& session) {
  std::unique_lock lock(m_mutex);
  m_sessions.emplace(session.get(), session);
  if (!m_stopping) return;
  lock.unlock();
  session->stop();
}

void SessionRegistry::remove(const HttpSession* session) {
  std::lock_guard lock(m_mutex);
  m_sessions.erase(session);
}

void SessionRegistry::stopAll() {
  std::vector<std::shared_ptr<HttpSession>> sessions;
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    for (const auto& [key, session] : m_sessions) {
      if (auto alive = session.lock()) sessions.push_back(std::move(alive));
    }
  }
  for (const auto& session : sessions) session->stop();
}

HttpSession::HttpSession(net::ip::tcp::socket socket, const SessionSettings& settings,
                         RequestHandler& handler, ConnectionLimits::Admission admission,
                         std::shared_ptr<SessionRegistry> registry)
    : m_socket(std::move(socket)),
      m_timer(m_socket.get_executor()),
      m_settings(settings),
      m_handler(handler),
      m_admission(std::move(admission)),
      m_registry(std::move(registry)) {}

HttpSession::~HttpSession() { m_registry->remove(this); }

void HttpSession::start() {
  m_registry->add(shared_from_this());
  net::dispatch(m_socket.get_executor(), [self = shared_from_this()] { self->readHead(); });
}

void HttpSession::stop() {
  net::post(m_socket.get_executor(), [self = shared_from_this()] {
    self->m_stopping = true;
    if (!self->m_busy) self->close();
  });
}

// Reading a request

void HttpSession::awaitRequest() {
  m_busy = false;
  if (m_stopping) return close();
  if (m_buffer.size() > 0) return readHead();  // the next request has begun already
  m_buffer.shrink_to_fit();
  arm(m_settings.idleTimeout);
  m_socket.async_wait(net::ip::tcp::socket::wait_read,
                      [self = shared_from_this()](error_code error) {
                        if (error || self->m_timedOut || self->m_stopping) return self->close();
                        self->readHead();
                      });
}

void HttpSession::readHead() {
  m_parser.emplace();
  m_parser->header_limit(kHeadBytes);
  m_parser->body_limit(kDrainedBodyBytes);
  arm(m_settings.headTimeout);
  http::async_read_header(
      m_socket, m_buffer, *m_parser,
      [self = shared_from_this()](error_code error, std::size_t) { self->onHead(error); });
}

void HttpSession::onHead(error_code error) {
  if (m_timedOut) return close();  // a head that trickles in is not waited for
  if (error) return readFailed(error);
  m_requestStart = Clock::now();
  if (!boost::beast::iequals(m_parser->get()[http::field::expect], "100-continue")) {
    return readBody();
  }
  static const std::string kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
  arm(m_settings.bodyTimeout);
  net::async_write(m_socket, net::buffer(kContinue),
                   [self = shared_from_this()](error_code error, std::size_t) {
                     if (error || self->m_timedOut) return self->close();
                     self->readBody();
                   });
}

void HttpSession::readBody() {
  arm(m_settings.bodyTimeout);
  http::async_read(
      m_socket, m_buffer, *m_parser,
      [self = shared_from_this()](error_code error, std::size_t) { self->onBody(error); });
}

void HttpSession::onBody(error_code error) {
  if (m_timedOut) return refuse(408, "A requisição não chegou inteira a tempo.");
  if (error) return readFailed(error);
  disarm();
  dispatch();
}

void HttpSession::readFailed(error_code error) {
  if (error == http::error::body_limit) return refuse(413, kTooLargeMessage);
  if (error == http::error::header_limit) {
    return refuse(431, "O cabeçalho da requisição excede o tamanho máximo de 8 KiB.");
  }
  if (isHttpError(error) && error != http::error::end_of_stream &&
      error != http::error::partial_message) {
    return refuse(400, "A requisição recebida não é uma requisição HTTP válida.");
  }
  close();  // the client went away
}

void HttpSession::dispatch() {
  m_busy = true;
  m_work.emplace(m_socket.get_executor());
  auto& message = m_parser->get();
  m_keepAlive = message.keep_alive();
  if (m_settings.loopbackHostsOnly && !isLoopbackHost(message[http::field::host])) {
    m_callName = "-";
    return writeWhole(403, rpcErrorReply(nullptr, rpc_code::kUnauthorized,
                                         "Este servidor só atende pelo endereço local da máquina "
                                         "(localhost ou 127.0.0.1)."));
  }
  HttpRequest request{std::string(message.method_string()), std::string(message.target()),
                      std::string(message[http::field::authorization]),
                      std::move(message.body().text), message.body().tooLarge()};
  m_parser.reset();
  m_handler.handle(std::move(request), shared_from_this());
}

void HttpSession::refuse(int status, const char* message) {
  m_busy = true;
  m_keepAlive = false;
  m_callName = "-";
  if (m_requestStart == Clock::time_point()) m_requestStart = Clock::now();
  writeWhole(status, rpcErrorReply(nullptr, rpc_code::kInvalidRequest, message));
}

// Answering

void HttpSession::name(std::string callName) {
  // Named while the request is dispatched, on the connection's own strand: at once.
  net::dispatch(
      m_socket.get_executor(),
      [self = shared_from_this(), callName = std::move(callName)] { self->m_callName = callName; });
}

void HttpSession::send(int status, std::string body) {
  net::post(m_socket.get_executor(),
            [self = shared_from_this(), status, body = std::move(body)]() mutable {
              self->writeWhole(status, std::move(body));
            });
}

bool HttpSession::stream(std::string piece) {
  std::promise<bool> sent;
  std::future<bool> done = sent.get_future();
  net::post(m_socket.get_executor(),
            [self = shared_from_this(), piece = std::move(piece), &sent]() mutable {
              self->writePiece(std::move(piece), &sent);
            });
  return done.get();
}

void HttpSession::endStream(bool complete) {
  net::post(m_socket.get_executor(),
            [self = shared_from_this(), complete] { self->finishStream(complete); });
}

void HttpSession::writeWhole(int status, std::string body) {
  m_status = status;
  auto& reply = m_reply.emplace(static_cast<http::status>(status), 11);
  reply.set(http::field::server, serverHeader());
  reply.set(http::field::content_type, "application/json");
  reply.body() = std::move(body);
  m_closeAfterReply = !m_keepAlive || m_stopping;
  reply.keep_alive(!m_closeAfterReply);
  reply.prepare_payload();
  arm(m_settings.bodyTimeout);
  http::async_write(m_socket, reply,
                    [self = shared_from_this()](error_code error, std::size_t bytes) {
                      self->m_bytesOut += bytes;
                      self->finishReply(!error && !self->m_timedOut);
                    });
}

void HttpSession::writePiece(std::string piece, std::promise<bool>* sent) {
  if (m_stream == Stream::Failed) return sent->set_value(false);
  m_piece = std::move(piece);
  if (m_stream == Stream::Open) return writeOut(http::make_chunk(net::buffer(m_piece)), sent);

  // The first piece: the reply goes out chunked, its head first.
  m_stream = Stream::Open;
  m_status = 200;
  auto& head = m_streamHead.emplace(http::status::ok, 11);
  head.set(http::field::server, serverHeader());
  head.set(http::field::content_type, "application/json");
  head.chunked(true);
  m_closeAfterReply = !m_keepAlive || m_stopping;
  head.keep_alive(!m_closeAfterReply);
  m_streamSerializer.emplace(head);
  arm(m_settings.bodyTimeout);
  http::async_write_header(m_socket, *m_streamSerializer,
                           [self = shared_from_this(), sent](error_code error, std::size_t bytes) {
                             self->m_bytesOut += bytes;
                             if (error || self->m_timedOut) {
                               self->m_stream = Stream::Failed;
                               self->close();
                               return sent->set_value(false);
                             }
                             self->writeOut(http::make_chunk(net::buffer(self->m_piece)), sent);
                           });
}

template <class Buffers>
void HttpSession::writeOut(const Buffers& buffers, std::promise<bool>* sent) {
  arm(m_settings.bodyTimeout);
  net::async_write(m_socket, buffers,
                   [self = shared_from_this(), sent](error_code error, std::size_t bytes) {
                     self->disarm();
                     self->m_bytesOut += bytes;
                     if (error || self->m_timedOut) {
                       self->m_stream = Stream::Failed;
                       self->close();
                       return sent->set_value(false);
                     }
                     sent->set_value(true);
                   });
}

void HttpSession::finishStream(bool complete) {
  const Stream stream = std::exchange(m_stream, Stream::None);
  if (!complete || stream == Stream::Failed) {
    close();
    return finishReply(false);
  }
  if (stream != Stream::Open) return writeWhole(200, {});
  arm(m_settings.bodyTimeout);
  net::async_write(m_socket, http::make_chunk_last(),
                   [self = shared_from_this()](error_code error, std::size_t bytes) {
                     self->m_bytesOut += bytes;
                     self->finishReply(!error && !self->m_timedOut);
                   });
}

void HttpSession::finishReply(bool delivered) {
  disarm();
  if (!m_callName.empty()) {
    logCall(m_callName, m_status, Clock::now() - m_requestStart, m_bytesOut, delivered);
  }
  m_callName.clear();
  m_bytesOut = 0;
  m_requestStart = {};
  m_reply.reset();
  m_streamSerializer.reset();
  m_streamHead.reset();
  std::string().swap(m_piece);
  m_work.reset();
  if (!delivered) return close();
  if (m_closeAfterReply) return closeGracefully();
  awaitRequest();
}

// Deadlines and closing

void HttpSession::arm(Clock::duration deadline) {
  const std::uint64_t phase = ++m_phase;
  m_timedOut = false;
  m_timer.expires_after(deadline);
  m_timer.async_wait([self = shared_from_this(), phase](error_code error) {
    if (error || phase != self->m_phase) return;
    self->m_timedOut = true;
    error_code ignored;
    self->m_socket.cancel(ignored);
  });
}

void HttpSession::disarm() {
  ++m_phase;
  m_timer.cancel();
}

void HttpSession::close() {
  if (m_closed) return;
  m_closed = true;
  disarm();
  error_code ignored;
  m_socket.shutdown(net::ip::tcp::socket::shutdown_both, ignored);
  m_socket.close(ignored);
}

// The last reply is on its way: the client may still be sending what was not read, and closing
// at once would reset the connection before it reads the reply. What comes is read and dropped
// until the client closes, for a short while at most.
void HttpSession::closeGracefully() {
  m_busy = false;
  error_code ignored;
  m_socket.shutdown(net::ip::tcp::socket::shutdown_send, ignored);
  arm(kLingerTime);
  drain();
}

void HttpSession::drain() {
  if (m_stopping) return close();
  m_buffer.consume(m_buffer.size());
  m_socket.async_read_some(m_buffer.prepare(kDrainBytes),
                           [self = shared_from_this()](error_code error, std::size_t) {
                             if (error || self->m_timedOut) return self->close();
                             self->drain();
                           });
}

}  // namespace margem::server
