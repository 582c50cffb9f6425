// SPDX-License-Identifier: MIT
// TField: reads and writes the value of its data set's current row.
#include <QRegularExpression>
#include <cmath>

#include "clientdataset.h"
#include "clientdatasetimpl.h"
#include "datevalue.h"
#include "framework.h"
#include "ptbr.h"

namespace margem {

namespace {

QString PlainNumber(double value) {
  return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString PlainDate(double value) {
  const DateParts p = PartsFromDateValue(value);
  QString text = QStringLiteral("%1/%2/%3")
                     .arg(p.day, 2, 10, QLatin1Char('0'))
                     .arg(p.month, 2, 10, QLatin1Char('0'))
                     .arg(p.year, 4, 10, QLatin1Char('0'));
  if (p.hour || p.minute || p.second) {
    text += QStringLiteral(" %1:%2:%3")
                .arg(p.hour, 2, 10, QLatin1Char('0'))
                .arg(p.minute, 2, 10, QLatin1Char('0'))
                .arg(p.second, 2, 10, QLatin1Char('0'));
  }
  return text;
}

// "dd/mm/aaaa", optionally followed by "hh:mm" or "hh:mm:ss".
std::optional<double> ParseDateText(const QString& text) {
  static const QRegularExpression kDateTime(
      QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
  const auto m = kDateTime.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  DateParts parts{m.captured(3).toInt(),
                  m.captured(2).toInt(),
                  m.captured(1).toInt(),
                  m.captured(4).toInt(),
                  m.captured(5).toInt(),
                  m.captured(6).toInt(),
                  0};
  return DateValueFromParts(parts);
}

QString TextOf(FieldType type, const CellRef& cell) {
  if (cell.null) return {};
  switch (type) {
    case FieldType::String:
      return cell.text.toString();
    case FieldType::Float:
      return PlainNumber(cell.number);
    case FieldType::DateTime:
      return PlainDate(cell.number);
  }
  return {};
}

}  // namespace

TField::TField(TClientDataSet* dataSet, int index, QString name, FieldType type, int size)
    : m_dataSet(dataSet), m_index(index), m_name(std::move(name)), m_type(type), m_size(size) {}

void TField::checkAttached() const {
  if (m_index < 0) {
    throw DataSetError(QStringLiteral("O campo %1 não pertence mais a %2.")
                           .arg(m_name, m_dataSet->d->name())
                           .toStdString());
  }
}

CellRef TField::current() const {
  checkAttached();
  return m_dataSet->d->currentCell(m_index);
}

bool TField::IsNull() const { return current().null; }

QString TField::AsString() const { return TextOf(m_type, current()); }

double TField::AsFloat() const {
  const CellRef cell = current();
  if (cell.null) return 0;
  if (m_type != FieldType::String) return cell.number;
  const std::optional<double> number = ParseNumber(cell.text.toString());
  if (!number) {
    m_dataSet->d->fail(
        QStringLiteral("\"%1\" do campo %2 não é um número.").arg(cell.text.toString(), m_name));
  }
  return *number;
}

double TField::AsDateValue() const {
  const CellRef cell = current();
  if (cell.null) return 0;
  if (m_type != FieldType::String) return cell.number;
  const std::optional<double> value = ParseDateText(cell.text.toString());
  if (!value) {
    m_dataSet->d->fail(
        QStringLiteral("\"%1\" do campo %2 não é uma data.").arg(cell.text.toString(), m_name));
  }
  return *value;
}

QDateTime TField::AsDateTime() const {
  if (IsNull()) return {};
  return FromDateValue(AsDateValue());
}

QVariant TField::Value() const {
  const CellRef cell = current();
  if (cell.null) return {};
  switch (m_type) {
    case FieldType::String:
      return cell.text.toString();
    case FieldType::Float:
      return cell.number;
    case FieldType::DateTime:
      return FromDateValue(cell.number);
  }
  return {};
}

namespace {

QString DisplayOf(const TField& field, const CellRef& cell) {
  if (!cell.null && field.DataType() == FieldType::Float) {
    return FormatDisplay(cell.number, field.DisplayFormat);
  }
  return TextOf(field.DataType(), cell);
}

}  // namespace

QString TField::DisplayText() const { return DisplayOf(*this, current()); }

QString TField::DisplayTextAt(qsizetype row) const {
  checkAttached();
  return DisplayOf(*this, m_dataSet->d->cellAt(row, m_index));
}

void TField::SetAsString(const QString& value) {
  checkAttached();
  auto& d = *m_dataSet->d;
  if (m_type == FieldType::String) {
    d.writeText(*this, value);
    return;
  }
  if (EmptyString(value)) {
    d.writeNull(*this);
    return;
  }
  const std::optional<double> number =
      m_type == FieldType::Float ? ParseNumber(value) : ParseDateText(value);
  if (!number) {
    d.fail(QStringLiteral("\"%1\" não é %2 válido para o campo %3.")
               .arg(value,
                    m_type == FieldType::Float ? QStringLiteral("um número")
                                               : QStringLiteral("uma data"),
                    m_name));
  }
  d.writeNumber(*this, *number);
}

void TField::SetAsFloat(double value) {
  checkAttached();
  if (m_type == FieldType::String) {
    if (!std::isfinite(value)) {
      m_dataSet->d->fail(QStringLiteral("Valor inválido para o campo %1.").arg(m_name));
    }
    m_dataSet->d->writeText(*this, PlainNumber(value));
  } else {
    m_dataSet->d->writeNumber(*this, value);
  }
}

void TField::SetAsDateTime(const QDateTime& value) {
  checkAttached();
  const QDate day = value.date();
  if (value.isValid() && !IsCalendarDay(day.year(), day.month(), day.day()))
    m_dataSet->d->failOutsideCalendar(*this, value.toString(Qt::ISODate));
  if (!value.isValid()) {
    m_dataSet->d->writeNull(*this);
  } else if (m_type == FieldType::String) {
    m_dataSet->d->writeText(*this, PlainDate(ToDateValue(value)));
  } else {
    m_dataSet->d->writeNumber(*this, ToDateValue(value));
  }
}

void TField::SetValue(const QVariant& value) {
  if (value.isNull()) {
    Clear();
    return;
  }
  switch (value.typeId()) {
    case QMetaType::QString:
      SetAsString(value.toString());
      return;
    case QMetaType::QDateTime:
      SetAsDateTime(value.toDateTime());
      return;
    case QMetaType::QDate:
      SetAsDateTime(value.toDate().startOfDay(Qt::UTC));
      return;
    default:
      break;
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) {
    m_dataSet->d->fail(QStringLiteral("Valor de tipo %1 não cabe no campo %2.")
                           .arg(QString::fromLatin1(value.typeName()), m_name));
  }
  SetAsFloat(number);
}

void TField::Clear() {
  checkAttached();
  m_dataSet->d->writeNull(*this);
}

}  // namespace margem
