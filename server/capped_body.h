// SPDX-License-Identifier: MIT
// A request body type for the HTTP parser that keeps at most kMaxBodyBytes of the body and
// counts the rest as it goes by, so that an oversized body costs no memory while it is read and
// dropped.
#pragma once

#include <boost/beast/core/buffers_range.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional.hpp>
#include <cstdint>
#include <string>

#include "http_exchange.h"

namespace margem::server {

struct CappedBody {
  struct value_type {
    std::string text;         // emptied once the body passes the limit
    std::uint64_t bytes = 0;  // the whole body's length
    bool tooLarge() const { return bytes > kMaxBodyBytes; }
  };

  class reader {
   public:
    template <bool isRequest, class Fields>
    reader(boost::beast::http::header<isRequest, Fields>&, value_type& body) : m_body(body) {}

    void init(const boost::optional<std::uint64_t>& length, boost::beast::error_code& ec) {
      if (length && *length <= kMaxBodyBytes) m_body.text.reserve(*length);
      ec = {};
    }

    template <class ConstBufferSequence>
    std::size_t put(const ConstBufferSequence& buffers, boost::beast::error_code& ec) {
      std::size_t taken = 0;
      for (const auto buffer : boost::beast::buffers_range_ref(buffers)) {
        m_body.bytes += buffer.size();
        taken += buffer.size();
        if (!m_body.tooLarge()) {
          m_body.text.append(static_cast<const char*>(buffer.data()), buffer.size());
        } else if (!m_body.text.empty()) {
          std::string().swap(m_body.text);
        }
      }
      ec = {};
      return taken;
    }

    void finish(boost::beast::error_code& ec) { ec = {}; }

   private:
    value_type& m_body;
  };
};

}  // namespace margem::server
