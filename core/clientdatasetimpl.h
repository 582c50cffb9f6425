// SPDX-License-Identifier: MIT
// The inside of a client data set, shared by the set and its fields: the compact rows, the
// cursor, the pending row of an insert or edit, and the notification rules.
#pragma once

#include <QStringView>
#include <memory>
#include <vector>

#include "clientdataset.h"
#include "packetstorage.h"

namespace margem {

// One value as a field sees it, wherever it lives (a stored row or the pending row).
struct CellRef {
  bool null = true;
  double number = 0;
  QStringView text;
};

// A value of the row being inserted or edited.
struct PendingValue {
  bool null = true;
  bool changed = false;
  double number = 0;
  QString text;
};

class TClientDataSet::Impl {
 public:
  explicit Impl(TClientDataSet* owner) : q(owner) {}

  // Reading and writing through fields.
  CellRef currentCell(int field) const;
  CellRef cellAt(qsizetype row, int field) const;
  void writeNull(const TField& field);
  void writeNumber(const TField& field, double value);
  void writeText(const TField& field, QStringView value);

  QString name() const;
  [[noreturn]] void fail(const QString& message) const;
  // A date outside the calendar the fields hold, `shown` as the caller was given it.
  [[noreturn]] void failOutsideCalendar(const TField& field, const QString& shown) const;
  void checkActive() const;
  void checkBrowseMode();  // posts a pending insert or edit
  void dropPending();
  void setState(State state);
  void placeCursor(qsizetype row);
  void notifyReset();
  std::vector<PacketField> layout() const;
  bool hasCalculatedFields() const;
  void calculate(qsizetype row);
  PacketStorage copyInto(const PacketStorage& source) const;  // for a fixed field list
  bool sameLayout(const PacketStorage& source) const;         // names (any case), types and sizes
  // The rows for writing; rows still shared with a loaded packet are copied first.
  PacketStorage& writable();
  void takeStructure(const std::vector<PacketField>& fields);

  TClientDataSet* q;
  std::vector<std::unique_ptr<TField>> fields;
  std::vector<std::unique_ptr<TField>> detached;  // dropped by a later packet structure
  bool structureFromPacket = false;
  std::shared_ptr<PacketStorage> store = std::make_shared<PacketStorage>();
  State state = dsInactive;
  qsizetype cursor = -1;
  bool eof = true;
  std::vector<PendingValue> pending;
  qsizetype pendingRow = -1;
  int disableCount = 0;
  State stateAtDisable = dsInactive;
  qsizetype calcRow = -1;  // the row OnCalcFields is writing, -1 outside it
};

}  // namespace margem
