// SPDX-License-Identifier: MIT
// Reads server values (null, a packet, or an array of such) and the JSON-RPC 2.0 reply envelope.
#include "packetparser.h"
#include "servervalue.h"

namespace margem {

namespace {

constexpr int kMaxArrayDepth = 16;

ServerValue ReadValueAt(JsonCursor& in, int depth) {
  switch (in.peek()) {
    case 'n':
      in.expectNull();
      return {};
    case '{':
      return ServerValue::FromPacket(ReadPacketAt(in));
    case '[': {
      if (depth >= kMaxArrayDepth) in.fail(QStringLiteral("listas aninhadas demais"));
      in.expect('[');
      std::vector<ServerValue> items;
      if (!in.consume(']')) {
        do {
          items.push_back(ReadValueAt(in, depth + 1));
        } while (in.consume(','));
        in.expect(']');
      }
      return ServerValue::FromArray(std::move(items));
    }
    default:
      in.fail(QStringLiteral("esperado um pacote de dados, uma lista ou null, %1").arg(in.found()));
  }
}

int ReadErrorCode(JsonCursor& in) {
  const char c = in.peek();
  if (c != '-' && (c < '0' || c > '9')) {
    in.fail(QStringLiteral("o código do erro deve ser um número, %1").arg(in.found()));
  }
  const double code = in.readNumber();
  if (code < -2147483648.0 || code > 2147483647.0 || code != double(qint64(code))) {
    in.fail(QStringLiteral("o código do erro deve ser um inteiro"));
  }
  return int(code);
}

void ReadError(JsonCursor& in, RpcReply& reply) {
  bool hasCode = false, hasMessage = false;
  in.expect('{');
  if (!in.consume('}')) {
    do {
      const QString key = in.readString();
      in.expect(':');
      if (key == QLatin1String("code")) {
        reply.errorCode = ReadErrorCode(in);
        hasCode = true;
      } else if (key == QLatin1String("message")) {
        reply.errorMessage = in.readString();
        hasMessage = true;
      } else {
        in.skipValue();
      }
    } while (in.consume(','));
    in.expect('}');
  }
  if (!hasCode || !hasMessage) in.fail(QStringLiteral("o erro não tem \"code\" e \"message\""));
}

}  // namespace

ServerValue ReadServerValue(std::string_view json) {
  JsonCursor in(json, QStringLiteral("Resposta do servidor inválida"));
  ServerValue value = ReadValueAt(in, 0);
  in.expectEnd();
  return value;
}

RpcReply ReadRpcReply(std::string_view body) {
  JsonCursor in(body, QStringLiteral("Resposta do servidor inválida"));
  RpcReply reply;
  bool hasVersion = false, hasResult = false, hasError = false;
  in.expect('{');
  if (!in.consume('}')) {
    do {
      const QString key = in.readString();
      in.expect(':');
      if (key == QLatin1String("jsonrpc")) {
        if (in.readString() != QLatin1String("2.0")) {
          in.fail(QStringLiteral("\"jsonrpc\" deve ser \"2.0\""));
        }
        hasVersion = true;
      } else if (key == QLatin1String("result")) {
        if (hasResult) in.fail(QStringLiteral("\"result\" aparece mais de uma vez"));
        reply.result = ReadValueAt(in, 0);
        hasResult = true;
      } else if (key == QLatin1String("error")) {
        if (hasError) in.fail(QStringLiteral("\"error\" aparece mais de uma vez"));
        ReadError(in, reply);
        hasError = true;
      } else {
        in.skipValue();
      }
    } while (in.consume(','));
    in.expect('}');
  }
  in.expectEnd();
  if (!hasVersion) in.fail(QStringLiteral("falta \"jsonrpc\": \"2.0\""));
  if (hasResult == hasError) {
    in.fail(QStringLiteral("a resposta deve ter exatamente um de \"result\" ou \"error\""));
  }
  reply.isError = hasError;
  return reply;
}

}  // namespace margem
