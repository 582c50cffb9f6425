// SPDX-License-Identifier: MIT
// What the HTTP layer hands over for one request read whole, and how it is answered: at once, or
// later from a database worker, whole or streamed piece by piece.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace margem::server {

// A request body over kMaxBodyBytes is refused. Up to kDrainedBodyBytes it is still read to its
// end and dropped, so that its sender reads the refusal on a connection that goes on; past that
// the connection closes after the refusal.
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
inline constexpr std::size_t kDrainedBodyBytes = 1024 * 1024;

struct HttpRequest {
  std::string method;  // "GET", "POST", ...
  std::string target;
  std::string authorization;  // the Authorization header; empty when absent
  std::string body;           // empty when too large
  bool bodyTooLarge = false;  // over kMaxBodyBytes
};

// The answer to one request; exactly one of send() or endStream() ends it.
class ReplyChannel {
 public:
  virtual ~ReplyChannel() = default;
  // Names the call in the server's log line about it; a request never named is not logged.
  virtual void name(std::string callName) = 0;
  // A whole JSON reply with this HTTP status.
  virtual void send(int status, std::string body) = 0;
  // The next piece of a JSON reply with status 200 whose length is not known beforehand. Called
  // from a worker thread only: it returns once the piece is on its way, so that the reply is made
  // no faster than the client reads it. False when the client has gone or did not read within
  // the send deadline: no further piece is wanted.
  virtual bool stream(std::string piece) = 0;
  // Ends the streamed reply. An incomplete one is broken off: the connection closes before the
  // reply's end, so that the client cannot take it for whole.
  virtual void endStream(bool complete) = 0;
};

class RequestHandler {
 public:
  virtual ~RequestHandler() = default;
  // Answers `request` through `reply`, now or later from any thread.
  virtual void handle(HttpRequest request, std::shared_ptr<ReplyChannel> reply) = 0;
};

}  // namespace margem::server
