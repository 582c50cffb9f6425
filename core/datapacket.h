// SPDX-License-Identifier: MIT
// A data packet: the value that one client data set loads whole (fields and rows, in order),
// and the reader of its JSON form:
//   {"fields":[{"name":"CDFILIAL","type":"string","size":4},{"name":"VRTOTALITEM","type":"float"},
//              {"name":"DTEVENTO","type":"datetime"}],
//    "rows":[["0001",1500.5,"2005-03-10T20:00:00"],["0001",null,null]]}
// Dates travel as "YYYY-MM-DDTHH:MM:SS" (no zone). Any value may be null.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "fieldtype.h"

namespace margem {

// Raised for every packet that cannot be read or loaded. The message is Portuguese and names the
// field or the row at fault (rows count from 1).
class PacketError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PacketField {
  QString name;
  FieldType type = FieldType::String;
  int size = 0;  // characters, for text fields
};

class PacketStorage;  // the compact row storage, shared with TClientDataSet

class DataPacket {
 public:
  DataPacket();
  ~DataPacket();
  DataPacket(DataPacket&&) noexcept;
  DataPacket& operator=(DataPacket&&) noexcept;
  DataPacket(const DataPacket&) = delete;
  DataPacket& operator=(const DataPacket&) = delete;

  const std::vector<PacketField>& Fields() const;
  qsizetype RowCount() const;

  // Row values, for tests and tools (the data set reads the storage directly).
  bool IsNull(qsizetype row, int field) const;
  QString String(qsizetype row, int field) const;
  double Float(qsizetype row, int field) const;
  double DateTime(qsizetype row, int field) const;  // days since 30/12/1899, fraction = time

  PacketStorage& Storage() const;
  // The storage itself, for a data set that shares the rows until it changes them.
  std::shared_ptr<PacketStorage> SharedStorage() const { return m_storage; }

 private:
  std::shared_ptr<PacketStorage> m_storage;
};

// Reads the JSON text of one packet. Throws PacketError on anything malformed: not JSON, wrong
// shapes, unknown types, rows of the wrong length, values of the wrong type, invalid UTF-8,
// numbers out of range, dates that are no dates.
DataPacket ReadDataPacket(std::string_view json);

}  // namespace margem
