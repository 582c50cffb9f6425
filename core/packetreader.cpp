// SPDX-License-Identifier: MIT
// The data packet reader: {"fields":[...],"rows":[[...],...]} straight into compact storage.
#include <QSet>
#include <cmath>

#include "packetparser.h"
#include "packetstorage.h"

namespace margem {

namespace {

const QString kPacketSubject = QStringLiteral("Pacote de dados inválido");

bool StartsNumber(char c) { return c == '-' || (c >= '0' && c <= '9'); }

FieldType ReadFieldType(JsonCursor& in, int index) {
  const QString type = in.readString();
  if (type == QLatin1String("string")) return FieldType::String;
  if (type == QLatin1String("float")) return FieldType::Float;
  if (type == QLatin1String("datetime")) return FieldType::DateTime;
  in.fail(QStringLiteral("o campo %1 tem o tipo desconhecido \"%2\" (esperado string, float ou "
                         "datetime)")
              .arg(index)
              .arg(type.left(40)));
}

double ReadFieldSize(JsonCursor& in, int index) {
  if (!StartsNumber(in.peek())) {
    in.fail(QStringLiteral("o tamanho do campo %1 deve ser um número, %2").arg(index).arg(in.found()));
  }
  return in.readNumber();
}

PacketField ReadField(JsonCursor& in, int index) {
  PacketField field;
  bool hasName = false, hasType = false, hasSize = false;
  double size = 0;
  in.expect('{');
  if (!in.consume('}')) {
    do {
      const QString key = in.readString();
      in.expect(':');
      if (key == QLatin1String("name")) {
        field.name = in.readString();
        hasName = true;
      } else if (key == QLatin1String("type")) {
        field.type = ReadFieldType(in, index);
        hasType = true;
      } else if (key == QLatin1String("size")) {
        size = ReadFieldSize(in, index);
        hasSize = true;
      } else {
        in.skipValue();
      }
    } while (in.consume(','));
    in.expect('}');
  }
  if (!hasName || field.name.trimmed().isEmpty()) {
    in.fail(QStringLiteral("o campo %1 não tem nome").arg(index));
  }
  if (!hasType) in.fail(QStringLiteral("o campo %1 não tem tipo").arg(field.name));
  if (field.type == FieldType::String) {
    if (!hasSize) in.fail(QStringLiteral("o campo de texto %1 não tem tamanho").arg(field.name));
    if (size < 1 || size > kMaxTextSize || size != std::floor(size)) {
      in.fail(QStringLiteral("o tamanho do campo %1 deve ser um inteiro de 1 a %2")
                  .arg(field.name)
                  .arg(kMaxTextSize));
    }
    field.size = int(size);
  }
  return field;
}

std::vector<PacketField> ReadFields(JsonCursor& in) {
  std::vector<PacketField> fields;
  QSet<QString> names;
  in.expect('[');
  if (in.consume(']')) in.fail(QStringLiteral("o pacote não tem campos"));
  do {
    fields.push_back(ReadField(in, int(fields.size()) + 1));
    const QString key = fields.back().name.toUpper();
    if (names.contains(key)) {
      in.fail(QStringLiteral("o campo %1 aparece mais de uma vez").arg(fields.back().name));
    }
    names.insert(key);
  } while (in.consume(','));
  in.expect(']');
  return fields;
}

// Once the first rows are read, sizes the storage for the rest of the text so that a large
// packet grows its buffers once instead of many times.
void ReserveForTheRest(JsonCursor& in, PacketStorage& storage, qsizetype rowsRead,
                       std::size_t bytesRead) {
  const double rowsLeft = double(in.remaining()) * double(rowsRead) / double(bytesRead);
  const auto expected = qsizetype(double(rowsRead) + rowsLeft * 1.02) + 16;
  storage.rows().reserve(expected);
  const double unitsPerRow = double(storage.text().size()) / double(rowsRead);
  storage.text().reserve(std::size_t(unitsPerRow * double(expected)) + 1024);
}

void ReadRows(JsonCursor& in, PacketStorage& storage) {
  constexpr qsizetype kSampleRows = 4096;
  const std::vector<PacketField>& fields = storage.fields();
  const int count = int(fields.size());
  in.expect('[');
  if (in.consume(']')) return;
  const char* start = in.position();
  qsizetype row = 0;
  do {
    in.row = ++row;
    in.expect('[');
    std::byte* rec = storage.appendRecord();
    int values = 0;
    for (; values < count; ++values) {
      const int f = values;
      in.field = &fields[std::size_t(f)].name;
      if (in.peek() == ']') break;
      if (f > 0) in.expect(',');
      const char c = in.peek();
      if (c == 'n') {
        in.expectNull();
        continue;
      }
      switch (fields[std::size_t(f)].type) {
        case FieldType::String:
          storage.setTextRef(rec, f, in.readText(storage.text(), fields[std::size_t(f)].size));
          break;
        case FieldType::Float:
          if (!StartsNumber(c)) {
            in.fail(QStringLiteral("esperado um número ou null, %1").arg(in.found()));
          }
          storage.setNumber(rec, f, in.readNumber());
          break;
        case FieldType::DateTime:
          storage.setNumber(rec, f, in.readDate());
          break;
      }
    }
    in.field = nullptr;
    if (values < count) {
      in.fail(QStringLiteral("a linha tem %1 valores, menos que os %2 campos do pacote")
                  .arg(values)
                  .arg(count));
    }
    if (in.peek() == ',') {
      in.fail(QStringLiteral("a linha tem mais valores que os %1 campos do pacote").arg(count));
    }
    in.expect(']');
    if (row == kSampleRows) ReserveForTheRest(in, storage, row, std::size_t(in.position() - start));
  } while (in.consume(','));
  in.row = 0;
  in.expect(']');
  storage.shrinkToFit();
}

}  // namespace

DataPacket ReadPacketAt(JsonCursor& in) {
  DataPacket packet;
  PacketStorage& storage = packet.Storage();
  bool hasFields = false, hasRows = false;
  const char* deferredRows = nullptr;
  in.expect('{');
  if (!in.consume('}')) {
    do {
      const QString key = in.readString();
      in.expect(':');
      if (key == QLatin1String("fields")) {
        if (hasFields) in.fail(QStringLiteral("\"fields\" aparece mais de uma vez"));
        storage = PacketStorage(ReadFields(in));
        hasFields = true;
      } else if (key == QLatin1String("rows")) {
        if (hasRows) in.fail(QStringLiteral("\"rows\" aparece mais de uma vez"));
        hasRows = true;
        if (hasFields) {
          ReadRows(in, storage);
        } else {
          deferredRows = in.position();
          in.skipValue();
        }
      } else {
        in.skipValue();
      }
    } while (in.consume(','));
    in.expect('}');
  }
  if (!hasFields) in.fail(QStringLiteral("falta a lista de campos \"fields\""));
  if (!hasRows) in.fail(QStringLiteral("falta a lista de linhas \"rows\""));
  if (deferredRows) {
    const char* after = in.position();
    in.seek(deferredRows);
    ReadRows(in, storage);
    in.seek(after);
  }
  return packet;
}

DataPacket ReadDataPacket(std::string_view json) {
  JsonCursor in(json, kPacketSubject);
  DataPacket packet = ReadPacketAt(in);
  in.expectEnd();
  return packet;
}

}  // namespace margem
