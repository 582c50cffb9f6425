// SPDX-License-Identifier: MIT
// The body of one call, read before the call is answered whatever the answer, so that a
// kept-alive connection is at the start of the next request afterwards.
//
// A body over the protocol's limit is not kept. Up to kDrainedBodyBytes it is still read to its
// end and dropped, so that its sender reads the refusal on a connection that goes on; past that
// the rest is left unread and the connection must be closed after the reply.
#pragma once

#include <cstddef>
#include <string>

namespace httplib {
class ContentReader;
class Request;
}  // namespace httplib

namespace margem::server {

inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
inline constexpr std::size_t kDrainedBodyBytes = 1024 * 1024;

struct RequestBody {
  std::string text;       // empty when too large
  bool tooLarge = false;  // over kMaxBodyBytes
  bool readToEnd = true;  // false: the connection holds unread bytes
};

RequestBody readRequestBody(const httplib::ContentReader& reader);

// True when the request announces a body longer than kDrainedBodyBytes: it is refused before
// any of it is read.
bool announcesOversizedBody(const httplib::Request& req);

}  // namespace margem::server
