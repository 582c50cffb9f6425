// SPDX-License-Identifier: MIT
// What a remote call returns: null, a data packet, or an array of such values (GetMargem answers
// an array of two packets, either of which may be null); and the JSON-RPC reply envelope.
#pragma once

#include <QString>
#include <memory>
#include <string_view>
#include <vector>

#include "datapacket.h"

namespace margem {

class ServerValue {
 public:
  enum class Kind { Null, Packet, Array };

  ServerValue() = default;  // Null
  static ServerValue FromPacket(DataPacket packet);
  static ServerValue FromArray(std::vector<ServerValue> items);

  Kind kind() const { return m_kind; }
  bool IsNull() const { return m_kind == Kind::Null; }
  // Throws PacketError when the value is not a packet / not an array / out of range.
  const DataPacket& Packet() const;
  qsizetype Size() const;
  const ServerValue& operator[](qsizetype i) const;

 private:
  Kind m_kind = Kind::Null;
  std::shared_ptr<DataPacket> m_packet;
  std::shared_ptr<std::vector<ServerValue>> m_items;
};

// Reads a JSON value that is null, a packet, or an array of such values.
ServerValue ReadServerValue(std::string_view json);

struct RpcReply {
  bool isError = false;
  int errorCode = 0;
  QString errorMessage;  // the server's text for the user
  ServerValue result;
};

// Reads a JSON-RPC 2.0 reply body. Throws PacketError when it is no such reply.
RpcReply ReadRpcReply(std::string_view body);

}  // namespace margem
