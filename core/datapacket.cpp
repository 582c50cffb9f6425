// SPDX-License-Identifier: MIT
#include "datapacket.h"

#include "packetstorage.h"

namespace margem {

DataPacket::DataPacket() : m_storage(std::make_shared<PacketStorage>()) {}
DataPacket::~DataPacket() = default;
DataPacket::DataPacket(DataPacket&&) noexcept = default;
DataPacket& DataPacket::operator=(DataPacket&&) noexcept = default;

const std::vector<PacketField>& DataPacket::Fields() const { return m_storage->fields(); }
qsizetype DataPacket::RowCount() const { return m_storage->rowCount(); }

namespace {

const std::byte* CheckedRecord(const PacketStorage& storage, qsizetype row, int field) {
  if (row < 0 || row >= storage.rowCount() || field < 0 || field >= storage.fieldCount()) {
    throw std::out_of_range("DataPacket: linha ou campo fora do pacote");
  }
  return storage.record(row);
}

}  // namespace

bool DataPacket::IsNull(qsizetype row, int field) const {
  return m_storage->isNull(CheckedRecord(*m_storage, row, field), field);
}

QString DataPacket::String(qsizetype row, int field) const {
  const std::byte* rec = CheckedRecord(*m_storage, row, field);
  return m_storage->isNull(rec, field) ? QString() : m_storage->text(rec, field).toString();
}

double DataPacket::Float(qsizetype row, int field) const {
  const std::byte* rec = CheckedRecord(*m_storage, row, field);
  return m_storage->isNull(rec, field) ? 0.0 : m_storage->number(rec, field);
}

double DataPacket::DateTime(qsizetype row, int field) const { return Float(row, field); }

PacketStorage& DataPacket::Storage() const { return *m_storage; }

}  // namespace margem
