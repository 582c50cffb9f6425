// SPDX-License-Identifier: MIT
#include "servervalue.h"

namespace margem {

ServerValue ServerValue::FromPacket(DataPacket packet) {
  ServerValue value;
  value.m_kind = Kind::Packet;
  value.m_packet = std::make_shared<DataPacket>(std::move(packet));
  return value;
}

ServerValue ServerValue::FromArray(std::vector<ServerValue> items) {
  ServerValue value;
  value.m_kind = Kind::Array;
  value.m_items = std::make_shared<std::vector<ServerValue>>(std::move(items));
  return value;
}

const DataPacket& ServerValue::Packet() const {
  if (m_kind != Kind::Packet) {
    throw PacketError("Resposta do servidor inesperada: esperado um pacote de dados.");
  }
  return *m_packet;
}

qsizetype ServerValue::Size() const {
  if (m_kind != Kind::Array) {
    throw PacketError("Resposta do servidor inesperada: esperada uma lista de valores.");
  }
  return qsizetype(m_items->size());
}

const ServerValue& ServerValue::operator[](qsizetype i) const {
  if (i < 0 || i >= Size()) {
    throw PacketError(QStringLiteral("Resposta do servidor inesperada: a lista tem %1 elementos, "
                                     "falta o elemento %2.")
                          .arg(Size())
                          .arg(i)
                          .toStdString());
  }
  return (*m_items)[std::size_t(i)];
}

}  // namespace margem
