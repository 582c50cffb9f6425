// SPDX-License-Identifier: MIT
#include "http_listener.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include "call_log.h"
#include "rpc_error.h"
#include "rpc_request.h"
#include "server_version.h"

namespace margem::server {
namespace {

namespace net = boost::asio;
namespace http = boost::beast::http;
using boost::beast::error_code;
using net::ip::tcp;

constexpr int kAcceptedAtOnce = 256;
constexpr auto kShortagePause = std::chrono::milliseconds(100);
constexpr auto kShortageLogEvery = std::chrono::seconds(10);
constexpr auto kRefusalTime = std::chrono::seconds(2);
constexpr const char* kRetryAfterSeconds = "2";

using Refusal = http::response<http::string_body>;

std::shared_ptr<const Refusal> makeRefusal() {
  auto reply = std::make_shared<Refusal>(http::status::service_unavailable, 11);
  reply->set(http::field::server, serverHeader());
  reply->set(http::field::content_type, "application/json");
  reply->set(http::field::retry_after, kRetryAfterSeconds);
  reply->body() = rpcErrorReply(nullptr, rpc_code::kServerError,
                                "O servidor está com o máximo de conexões abertas. Tente "
                                "novamente em instantes.");
  reply->keep_alive(false);
  reply->prepare_payload();
  return reply;
}

// A connection over the caps: it gets the 503 and is closed once its client has read it, or
// after a short while; meanwhile whatever it sends is dropped.
class RefusedConnection : public std::enable_shared_from_this<RefusedConnection> {
 public:
  explicit RefusedConnection(tcp::socket socket)
      : m_socket(std::move(socket)), m_timer(m_socket.get_executor()) {}

  void start() {
    static const std::shared_ptr<const Refusal> refusal = makeRefusal();
    m_timer.expires_after(kRefusalTime);
    m_timer.async_wait([self = shared_from_this()](error_code error) {
      if (!error) self->close();
    });
    http::async_write(m_socket, *refusal,
                      [self = shared_from_this()](error_code error, std::size_t) {
                        if (error) return self->close();
                        error_code ignored;
                        self->m_socket.shutdown(tcp::socket::shutdown_send, ignored);
                        self->drain();
                      });
  }

 private:
  void drain() {
    m_socket.async_read_some(net::buffer(m_dropped),
                             [self = shared_from_this()](error_code error, std::size_t) {
                               if (error) return self->close();
                               self->drain();
                             });
  }
  void close() {
    error_code ignored;
    m_timer.cancel();
    m_socket.close(ignored);
  }

  tcp::socket m_socket;
  net::steady_timer m_timer;
  std::array<char, 512> m_dropped;
};

bool isShortage(const error_code& error) {
  return error == net::error::no_descriptors || error == net::error::no_buffer_space ||
         error == net::error::no_memory || error.value() == ENFILE;
}

}  // namespace

HttpListener::HttpListener(net::io_context& io, tcp::acceptor acceptor,
                           const SessionSettings& settings, RequestHandler& handler,
                           ConnectionLimits& limits)
    : m_io(io),
      m_acceptor(std::move(acceptor)),
      m_pause(m_acceptor.get_executor()),
      m_settings(settings),
      m_handler(handler),
      m_limits(limits) {}

void HttpListener::start() {
  error_code ignored;  // a blocking acceptor only makes the batch below wait for a connection
  m_acceptor.non_blocking(true, ignored);
  net::dispatch(m_acceptor.get_executor(), [self = shared_from_this()] { self->accept(); });
}

void HttpListener::stop() {
  net::post(m_acceptor.get_executor(), [self = shared_from_this()] {
    self->m_stopped = true;
    error_code ignored;
    self->m_acceptor.close(ignored);
    self->m_pause.cancel();
    self->m_sessions->stopAll();
  });
}

void HttpListener::accept() {
  if (m_stopped) return;
  m_acceptor.async_accept(net::make_strand(m_io),
                          [self = shared_from_this()](error_code error, tcp::socket socket) {
                            self->onAccept(error, std::move(socket));
                          });
}

void HttpListener::onAccept(error_code error, tcp::socket socket) {
  if (m_stopped) return;
  if (isShortage(error)) {
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastShortageLog >= kShortageLogEvery) {
      m_lastShortageLog = now;
      logLine(
          "margem-server: o sistema não permite abrir mais conexões agora; novas conexões "
          "esperam.");
    }
    m_pause.expires_after(kShortagePause);
    m_pause.async_wait([self = shared_from_this()](error_code error) {
      if (!error) self->accept();
    });
    return;
  }
  if (!error) admit(std::move(socket));
  // Every other connection already waiting is taken now: under load, each round of the accept
  // queues behind the replies under way, and a crowd that connects at once would otherwise be
  // let in one round at a time, seconds apart.
  for (int i = 0; i < kAcceptedAtOnce; ++i) {
    error_code pending;
    tcp::socket next = m_acceptor.accept(net::make_strand(m_io), pending);
    if (pending) break;  // none waiting, or a failure the next round reports
    admit(std::move(next));
  }
  accept();
}

void HttpListener::admit(tcp::socket socket) {
  error_code unknown;
  const tcp::endpoint peer = socket.remote_endpoint(unknown);
  if (unknown) return;
  error_code ignored;
  socket.set_option(tcp::no_delay(true), ignored);  // replies go out without waiting for ACKs
  ConnectionLimits::Admission admission = m_limits.admit(peer.address());
  if (admission) {
    std::make_shared<HttpSession>(std::move(socket), m_settings, m_handler, std::move(admission),
                                  m_sessions)
        ->start();
  } else {
    std::make_shared<RefusedConnection>(std::move(socket))->start();
  }
}

}  // namespace margem::server
