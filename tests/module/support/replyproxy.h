// SPDX-License-Identifier: MIT
// A loopback HTTP proxy in front of a test's application server. Calls pass through to the
// server unchanged, except the methods told to answer otherwise: with a result of the test's
// choosing (a Null element, say) or with an error reply. Start points the forms' connections at
// the proxy (MARGEM_SERVER_HOST and MARGEM_SERVER_PORT).
#pragma once

#include <QString>
#include <memory>

namespace testsupport {

class ReplyProxy {
 public:
  explicit ReplyProxy(int serverPort);
  ~ReplyProxy();
  ReplyProxy(const ReplyProxy&) = delete;
  ReplyProxy& operator=(const ReplyProxy&) = delete;

  bool Start();
  int Port() const;

  // Every later call of method answers {"result": resultJson}.
  void AnswerResult(const QString& method, const QString& resultJson);
  // Every later call of method answers an error reply with that code and message.
  void AnswerError(const QString& method, int code, const QString& message);
  // Calls of method reach the server again.
  void Forward(const QString& method);

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

}  // namespace testsupport
