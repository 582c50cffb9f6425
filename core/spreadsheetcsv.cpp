// SPDX-License-Identifier: MIT
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>

#include "spreadsheet.h"

namespace margem {
namespace {

QString QuotedWhenNeeded(const QString& text) {
  const bool plain = !text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
                     !text.contains(u'\r') && text.trimmed() == text;
  if (plain) return text;
  QString quoted = text;
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

QString CellText(const QVariant& cell) {
  switch (cell.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
      QString text = QString::number(cell.toDouble(), 'f', 2);
      if (text == QLatin1String("-0.00")) text.remove(0, 1);
      return text.replace(u'.', u',');
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
      return QString::number(cell.toLongLong());
    case QMetaType::QDateTime:
      return cell.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    default:
      return cell.isValid() ? QuotedWhenNeeded(cell.toString()) : QString();
  }
}

}  // namespace

QString CsvText(const SheetTable& table) {
  QString text;
  for (const SheetRow& row : table) {
    QStringList cells;
    for (const QVariant& cell : row) cells << CellText(cell);
    text += cells.join(u';') + QStringLiteral("\r\n");
  }
  return text;
}

QString WriteCsv(const SheetTable& table, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  file.write("\xEF\xBB\xBF");
  file.write(CsvText(table).toUtf8());
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace margem
