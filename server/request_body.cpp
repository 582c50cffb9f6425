// SPDX-License-Identifier: MIT
#include "request_body.h"

#include <httplib.h>

namespace margem::server {

RequestBody readRequestBody(const httplib::ContentReader& reader) {
  RequestBody body;
  std::size_t length = 0;
  body.readToEnd = reader([&](const char* data, std::size_t size) {
    length += size;
    body.tooLarge = length > kMaxBodyBytes;
    if (!body.tooLarge) body.text.append(data, size);
    return length <= kDrainedBodyBytes;
  });
  if (body.tooLarge) body.text.clear();
  return body;
}

bool announcesOversizedBody(const httplib::Request& req) {
  if (!req.has_header("Content-Length")) return false;
  const std::string length = req.get_header_value("Content-Length");
  return length.size() > 18 || std::stoull("0" + length) > kDrainedBodyBytes;
}

}  // namespace margem::server
