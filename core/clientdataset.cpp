// SPDX-License-Identifier: MIT
#include "clientdataset.h"

#include <cmath>

#include "clientdatasetimpl.h"
#include "datevalue.h"
#include "ptbr.h"

namespace margem {

namespace {

QString TypeName(FieldType type) {
  switch (type) {
    case FieldType::String:
      return QStringLiteral("texto");
    case FieldType::Float:
      return QStringLiteral("número");
    case FieldType::DateTime:
      return QStringLiteral("data");
  }
  return {};
}

// One key of a Locate, with the wanted value converted once for the field's type.
struct LocateKey {
  int field = 0;
  FieldType type = FieldType::String;
  bool wantNull = false;
  QString text;
  double number = 0;
};

}  // namespace

// ---- Impl -------------------------------------------------------------------------------------

QString TClientDataSet::Impl::name() const {
  return q->objectName().isEmpty() ? QStringLiteral("conjunto de dados") : q->objectName();
}

void TClientDataSet::Impl::fail(const QString& message) const {
  throw DataSetError(message.toStdString());
}

void TClientDataSet::Impl::failOutsideCalendar(const TField& field, const QString& shown) const {
  fail(QStringLiteral("%1 não é uma data válida para o campo %2 de %3: as datas vão de "
                      "01/01/0001 a 31/12/9999.")
           .arg(shown, field.FieldName(), name()));
}

void TClientDataSet::Impl::checkActive() const {
  if (state == dsInactive) fail(QStringLiteral("%1 está fechado.").arg(name()));
}

CellRef TClientDataSet::Impl::cellAt(qsizetype row, int field) const {
  const PacketStorage& rows = *store;
  if (state == dsInactive || row < 0 || row >= rows.rowCount()) return {};
  const std::byte* rec = rows.record(row);
  CellRef cell;
  cell.null = rows.isNull(rec, field);
  if (!cell.null) {
    if (rows.fields()[std::size_t(field)].type == FieldType::String) {
      cell.text = rows.text(rec, field);
    } else {
      cell.number = rows.number(rec, field);
    }
  }
  return cell;
}

CellRef TClientDataSet::Impl::currentCell(int field) const {
  if (calcRow >= 0) return cellAt(calcRow, field);
  if (state == dsEdit || state == dsInsert) {
    const PendingValue& value = pending[std::size_t(field)];
    return {value.null, value.number, value.text};
  }
  return cellAt(cursor, field);
}

void TClientDataSet::Impl::writeNull(const TField& field) {
  if (calcRow >= 0 && field.Calculated) {
    PacketStorage& rows = writable();
    rows.setNull(rows.record(calcRow), field.Index());
    return;
  }
  if (field.Calculated) {
    fail(QStringLiteral("O campo calculado %1 de %2 só pode ser gravado no cálculo dos campos.")
             .arg(field.FieldName(), name()));
  }
  if (state != dsEdit && state != dsInsert) {
    fail(QStringLiteral("%1 não está em edição nem em inclusão: o campo %2 não pode ser gravado.")
             .arg(name(), field.FieldName()));
  }
  PendingValue& value = pending[std::size_t(field.Index())];
  value.null = true;
  value.changed = true;
  value.text.clear();
  value.number = 0;
}

void TClientDataSet::Impl::writeNumber(const TField& field, double number) {
  if (!std::isfinite(number)) {
    fail(QStringLiteral("Valor inválido para o campo %1 de %2.").arg(field.FieldName(), name()));
  }
  if (field.DataType() == FieldType::DateTime && !IsDateValue(number))
    failOutsideCalendar(field, QString::number(number, 'g', 15));
  if (calcRow >= 0 && field.Calculated) {
    PacketStorage& rows = writable();
    rows.setNumber(rows.record(calcRow), field.Index(), number);
    return;
  }
  writeNull(field);
  PendingValue& value = pending[std::size_t(field.Index())];
  value.null = false;
  value.number = number;
}

void TClientDataSet::Impl::writeText(const TField& field, QStringView text) {
  if (calcRow >= 0 && field.Calculated) {
    PacketStorage& rows = writable();
    rows.setText(rows.record(calcRow), field.Index(), text);
    return;
  }
  writeNull(field);
  PendingValue& value = pending[std::size_t(field.Index())];
  value.null = false;
  value.text = CutToChars(text, field.Size()).toString();
}

void TClientDataSet::Impl::setState(State next) {
  if (state == next) return;
  state = next;
  if (disableCount == 0) emit q->stateChanged();
}

void TClientDataSet::Impl::placeCursor(qsizetype row) {
  const bool moved = row != cursor;
  cursor = row;
  if (moved && disableCount == 0) emit q->cursorMoved(row);
}

void TClientDataSet::Impl::notifyReset() {
  if (disableCount > 0) return;
  emit q->rowsReset();
  emit q->cursorMoved(q->RecNo());
}

void TClientDataSet::Impl::dropPending() {
  pending.clear();
  pendingRow = -1;
  if (state == dsEdit || state == dsInsert) setState(dsBrowse);
}

void TClientDataSet::Impl::checkBrowseMode() {
  if (state == dsEdit || state == dsInsert) q->Post();
}

std::vector<PacketField> TClientDataSet::Impl::layout() const {
  std::vector<PacketField> list;
  list.reserve(fields.size());
  for (const auto& field : fields) {
    list.push_back({field->FieldName(), field->DataType(), field->Size()});
  }
  return list;
}

bool TClientDataSet::Impl::hasCalculatedFields() const {
  for (const auto& field : fields) {
    if (field->Calculated) return true;
  }
  return false;
}

void TClientDataSet::Impl::calculate(qsizetype row) {
  if (!q->OnCalcFields || !hasCalculatedFields()) return;
  const qsizetype saved = cursor;
  cursor = row;
  calcRow = row;
  struct Restore {
    Impl* d;
    qsizetype cursor;
    ~Restore() {
      d->calcRow = -1;
      d->cursor = cursor;
    }
  } restore{this, saved};
  q->OnCalcFields(*q);
}

PacketStorage TClientDataSet::Impl::copyInto(const PacketStorage& source) const {
  const auto& packetFields = source.fields();
  std::vector<int> from(fields.size(), -1);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const TField& field = *fields[i];
    if (field.Calculated) continue;
    for (std::size_t j = 0; j < packetFields.size(); ++j) {
      if (packetFields[j].name.compare(field.FieldName(), Qt::CaseInsensitive) == 0) {
        from[i] = int(j);
        break;
      }
    }
    if (from[i] < 0) {
      throw PacketError(QStringLiteral("O pacote de dados recebido para %1 não tem o campo %2.")
                            .arg(name(), field.FieldName())
                            .toStdString());
    }
    const FieldType arrived = packetFields[std::size_t(from[i])].type;
    if (arrived != field.DataType()) {
      throw PacketError(
          QStringLiteral("O campo %1 chegou no pacote de dados como %2, mas %3 o "
                         "espera como %4.")
              .arg(field.FieldName(), TypeName(arrived), name(), TypeName(field.DataType()))
              .toStdString());
    }
  }
  PacketStorage target(layout());
  target.rows().reserve(source.rowCount());
  target.text().reserve(source.text().size());
  for (qsizetype row = 0; row < source.rowCount(); ++row) {
    const std::byte* in = source.record(row);
    std::byte* out = target.appendRecord();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const int j = from[i];
      if (j < 0 || source.isNull(in, j)) continue;
      if (fields[i]->DataType() == FieldType::String) {
        target.setText(out, int(i), source.text(in, j));
      } else {
        target.setNumber(out, int(i), source.number(in, j));
      }
    }
  }
  target.shrinkToFit();
  return target;
}

bool TClientDataSet::Impl::sameLayout(const PacketStorage& source) const {
  const auto& packetFields = source.fields();
  if (packetFields.size() != fields.size()) return false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const TField& field = *fields[i];
    if (field.Calculated || packetFields[i].type != field.DataType() ||
        packetFields[i].size != field.Size() ||
        packetFields[i].name.compare(field.FieldName(), Qt::CaseInsensitive) != 0) {
      return false;
    }
  }
  return true;
}

PacketStorage& TClientDataSet::Impl::writable() {
  if (store.use_count() > 1) store = std::make_shared<PacketStorage>(store->clone());
  return *store;
}

void TClientDataSet::Impl::takeStructure(const std::vector<PacketField>& packetFields) {
  std::vector<std::unique_ptr<TField>> kept;
  kept.reserve(packetFields.size());
  for (const PacketField& wanted : packetFields) {
    std::unique_ptr<TField> field;
    for (auto& old : fields) {
      if (old && old->DataType() == wanted.type &&
          old->FieldName().compare(wanted.name, Qt::CaseInsensitive) == 0) {
        field = std::move(old);
        break;
      }
    }
    if (!field) field.reset(new TField(q, 0, wanted.name, wanted.type, wanted.size));
    field->m_index = int(kept.size());
    field->m_size = wanted.type == FieldType::String ? wanted.size : 0;
    kept.push_back(std::move(field));
  }
  for (auto& old : fields) {
    if (!old) continue;
    old->m_index = -1;
    detached.push_back(std::move(old));
  }
  fields = std::move(kept);
  structureFromPacket = true;
}

// ---- TClientDataSet ---------------------------------------------------------------------------

TClientDataSet::TClientDataSet(QString name, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(this)) {
  setObjectName(name);
}

TClientDataSet::~TClientDataSet() = default;

TField* TClientDataSet::AddField(const QString& name, FieldType type, int size) {
  if (d->state != dsInactive) {
    d->fail(
        QStringLiteral("Campos só podem ser acrescentados a %1 com ele fechado.").arg(d->name()));
  }
  if (d->structureFromPacket) {
    d->fail(QStringLiteral("%1 tomou seus campos de um pacote de dados.").arg(d->name()));
  }
  if (name.trimmed().isEmpty() || FindField(name)) {
    d->fail(
        QStringLiteral("Nome de campo inválido ou repetido em %1: \"%2\".").arg(d->name(), name));
  }
  const int width = type == FieldType::String ? (size > 0 ? size : 20) : 0;
  d->fields.emplace_back(new TField(this, int(d->fields.size()), name, type, width));
  return d->fields.back().get();
}

int TClientDataSet::FieldCount() const { return int(d->fields.size()); }

TField* TClientDataSet::Field(int index) const {
  if (index < 0 || index >= FieldCount()) {
    d->fail(QStringLiteral("%1 não tem o campo de número %2.").arg(d->name()).arg(index));
  }
  return d->fields[std::size_t(index)].get();
}

TField* TClientDataSet::FindField(const QString& name) const {
  for (const auto& field : d->fields) {
    if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) return field.get();
  }
  return nullptr;
}

TField* TClientDataSet::FieldByName(const QString& name) const {
  TField* field = FindField(name);
  if (!field) d->fail(QStringLiteral("Campo %1 não encontrado em %2.").arg(name, d->name()));
  return field;
}

QStringList TClientDataSet::FieldNames() const {
  QStringList names;
  for (const auto& field : d->fields) names << field->FieldName();
  return names;
}

void TClientDataSet::CreateDataSet() {
  if (d->fields.empty()) {
    d->fail(QStringLiteral("%1 não pode ser criado: não tem campos.").arg(d->name()));
  }
  d->pending.clear();
  d->pendingRow = -1;
  d->store = std::make_shared<PacketStorage>(d->layout());
  d->cursor = -1;
  d->eof = true;
  d->setState(dsBrowse);
  d->notifyReset();
}

void TClientDataSet::Close() {
  if (d->state == dsInactive) return;
  d->pending.clear();
  d->pendingRow = -1;
  d->store = std::make_shared<PacketStorage>();
  d->cursor = -1;
  d->eof = true;
  d->setState(dsInactive);
  d->notifyReset();
}

bool TClientDataSet::Active() const { return d->state != dsInactive; }

TClientDataSet::State TClientDataSet::state() const { return d->state; }

void TClientDataSet::LoadPacket(const DataPacket& packet) {
  const PacketStorage& source = packet.Storage();
  const bool takes = d->fields.empty() || d->structureFromPacket;
  // Rows laid out as the set needs them are shared with the packet until the set changes them.
  std::shared_ptr<PacketStorage> loaded =
      takes || d->sameLayout(source) ? packet.SharedStorage()
                                     : std::make_shared<PacketStorage>(d->copyInto(source));

  // Everything that can refuse the packet has run; from here on the set changes.
  // A failed calculation puts all of it back, the pending insert or edit included.
  struct Saved {
    std::shared_ptr<PacketStorage> store;
    State state;
    qsizetype cursor;
    bool eof;
    std::vector<PendingValue> pending;
    qsizetype pendingRow;
  } saved{std::move(d->store), d->state, d->cursor, d->eof, std::move(d->pending), d->pendingRow};
  d->pending.clear();
  d->pendingRow = -1;
  if (takes) d->takeStructure(source.fields());
  d->store = std::move(loaded);
  d->state = dsBrowse;
  d->cursor = d->store->rowCount() > 0 ? 0 : -1;
  d->eof = d->store->rowCount() == 0;
  if (!takes) {
    try {
      for (qsizetype row = 0; row < d->store->rowCount(); ++row) d->calculate(row);
    } catch (...) {
      d->store = std::move(saved.store);
      d->state = saved.state;
      d->cursor = saved.cursor;
      d->eof = saved.eof;
      d->pending = std::move(saved.pending);
      d->pendingRow = saved.pendingRow;
      throw;
    }
  }
  if (saved.state != dsBrowse && d->disableCount == 0) emit stateChanged();
  d->notifyReset();
}

void TClientDataSet::First() {
  d->checkActive();
  d->checkBrowseMode();
  d->eof = IsEmpty();
  d->placeCursor(IsEmpty() ? -1 : 0);
}

void TClientDataSet::Next() {
  d->checkActive();
  d->checkBrowseMode();
  if (d->cursor + 1 < RecordCount()) {
    d->eof = false;
    d->placeCursor(d->cursor + 1);
  } else {
    d->eof = true;
  }
}

void TClientDataSet::Prior() {
  d->checkActive();
  d->checkBrowseMode();
  if (d->cursor > 0) {
    d->eof = false;
    d->placeCursor(d->cursor - 1);
  }
}

void TClientDataSet::Last() {
  d->checkActive();
  d->checkBrowseMode();
  d->eof = true;
  d->placeCursor(RecordCount() - 1);
}

bool TClientDataSet::Eof() const { return d->state == dsInactive || d->eof; }

qsizetype TClientDataSet::RecordCount() const {
  return d->state == dsInactive ? 0 : d->store->rowCount();
}

bool TClientDataSet::IsEmpty() const { return RecordCount() == 0; }

qsizetype TClientDataSet::RecNo() const { return IsEmpty() ? -1 : d->cursor; }

void TClientDataSet::MoveTo(qsizetype row) {
  d->checkActive();
  if (row < 0 || row >= RecordCount()) {
    d->fail(QStringLiteral("%1 não tem a linha %2.").arg(d->name()).arg(row + 1));
  }
  d->checkBrowseMode();
  d->eof = false;
  d->placeCursor(row);
}

void TClientDataSet::Insert() {
  d->checkActive();
  d->checkBrowseMode();
  d->pending.assign(d->fields.size(), PendingValue());
  d->pendingRow = IsEmpty() ? 0 : d->cursor;
  d->setState(dsInsert);
}

void TClientDataSet::Append() {
  d->checkActive();
  d->checkBrowseMode();
  d->pending.assign(d->fields.size(), PendingValue());
  d->pendingRow = RecordCount();
  d->setState(dsInsert);
}

void TClientDataSet::Edit() {
  d->checkActive();
  if (d->state == dsEdit || d->state == dsInsert) return;
  if (IsEmpty()) {
    Insert();
    return;
  }
  d->pending.assign(d->fields.size(), PendingValue());
  for (int f = 0; f < FieldCount(); ++f) {
    const CellRef cell = d->cellAt(d->cursor, f);
    PendingValue& value = d->pending[std::size_t(f)];
    value.null = cell.null;
    value.number = cell.number;
    value.text = cell.text.toString();
  }
  d->pendingRow = d->cursor;
  d->setState(dsEdit);
}

void TClientDataSet::Post() {
  if (d->state != dsEdit && d->state != dsInsert) return;
  const bool inserting = d->state == dsInsert;
  PacketStorage& store = d->writable();
  std::byte* rec = inserting ? store.insertRecord(d->pendingRow) : store.record(d->pendingRow);
  for (int f = 0; f < FieldCount(); ++f) {
    const PendingValue& value = d->pending[std::size_t(f)];
    if (d->fields[std::size_t(f)]->Calculated || (!inserting && !value.changed)) continue;
    if (value.null) {
      store.setNull(rec, f);
    } else if (d->fields[std::size_t(f)]->DataType() == FieldType::String) {
      store.setText(rec, f, value.text);
    } else {
      store.setNumber(rec, f, value.number);
    }
  }
  const qsizetype row = d->pendingRow;
  d->pending.clear();
  d->pendingRow = -1;
  if (!inserting) store.compactTextIfWasteful();
  d->eof = false;
  d->cursor = row;
  d->setState(dsBrowse);
  d->calculate(row);
  if (d->disableCount == 0) {
    if (inserting) {
      emit rowInserted(row);
    } else {
      emit rowChanged(row);
    }
    emit cursorMoved(row);
  }
}

void TClientDataSet::Cancel() {
  if (d->state != dsEdit && d->state != dsInsert) return;
  d->dropPending();
}

void TClientDataSet::EmptyDataSet() {
  d->checkActive();
  d->dropPending();
  d->store = std::make_shared<PacketStorage>(d->layout());
  d->cursor = -1;
  d->eof = true;
  d->notifyReset();
}

bool TClientDataSet::Locate(const QString& keyFields, const QVariantList& values) {
  d->checkActive();
  const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  if (names.isEmpty() || names.size() != values.size()) {
    d->fail(QStringLiteral("Locate em %1: %2 campos de busca para %3 valores.")
                .arg(d->name())
                .arg(names.size())
                .arg(values.size()));
  }
  std::vector<LocateKey> keys;
  for (qsizetype i = 0; i < names.size(); ++i) {
    const TField* field = FieldByName(names[i].trimmed());
    const QVariant& wanted = values[i];
    LocateKey key;
    key.field = field->Index();
    key.type = field->DataType();
    key.wantNull = wanted.isNull();
    if (key.type == FieldType::String) {
      key.text = wanted.toString();
    } else if (!key.wantNull) {
      const int id = wanted.typeId();
      std::optional<double> number;
      if (id == QMetaType::QDateTime) {
        number = ToDateValue(wanted.toDateTime());
      } else if (id == QMetaType::QDate) {
        number = ToDateValue(wanted.toDate().startOfDay(Qt::UTC));
      } else if (id == QMetaType::QString) {
        number = ParseNumber(wanted.toString());
      } else {
        bool ok = false;
        number = wanted.toDouble(&ok);
        if (!ok) number.reset();
      }
      if (!number) return false;
      key.number = *number;
    }
    keys.push_back(std::move(key));
  }
  d->checkBrowseMode();
  const PacketStorage& store = *d->store;
  for (qsizetype row = 0; row < store.rowCount(); ++row) {
    const std::byte* rec = store.record(row);
    bool match = true;
    for (const LocateKey& key : keys) {
      const bool null = store.isNull(rec, key.field);
      if (key.type == FieldType::String) {
        const QStringView text = null ? QStringView() : store.text(rec, key.field);
        match = text.compare(key.text, Qt::CaseInsensitive) == 0;
      } else {
        match = key.wantNull ? null : (!null && store.number(rec, key.field) == key.number);
      }
      if (!match) break;
    }
    if (match) {
      d->eof = false;
      d->placeCursor(row);
      return true;
    }
  }
  return false;
}

void TClientDataSet::DisableControls() {
  if (d->disableCount++ == 0) d->stateAtDisable = d->state;
}

void TClientDataSet::EnableControls() {
  if (d->disableCount == 0) return;
  if (--d->disableCount > 0) return;
  if (d->state != d->stateAtDisable) emit stateChanged();
  d->notifyReset();
}

bool TClientDataSet::ControlsDisabled() const { return d->disableCount > 0; }

QVariant TClientDataSet::ValueAt(qsizetype row, int field) const {
  if (d->state == dsInactive || row < 0 || row >= d->store->rowCount() || field < 0 ||
      field >= FieldCount()) {
    return {};
  }
  return d->store->value(d->store->record(row), field);
}

}  // namespace margem
