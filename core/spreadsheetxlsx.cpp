// SPDX-License-Identifier: MIT
#include <xlsxwriter.h>

#include <QDateTime>
#include <QFile>

#include "spreadsheet.h"

namespace margem {

QString WriteXlsx(const SheetTable& table, const QString& sheetName, const QString& path) {
  const QByteArray file = QFile::encodeName(path);
  lxw_workbook* book = workbook_new(file.constData());
  if (!book) return QStringLiteral("não foi possível criar a planilha");
  lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName.left(31).toUtf8().constData());
  lxw_format* money = workbook_add_format(book);
  format_set_num_format(money, "#,##0.00");
  lxw_format* whole = workbook_add_format(book);
  format_set_num_format(whole, "0");
  lxw_format* moment = workbook_add_format(book);
  format_set_num_format(moment, "dd/mm/yyyy hh:mm");
  worksheet_set_column(sheet, 0, 0, 24, nullptr);
  worksheet_set_column(sheet, 1, 10, 14, nullptr);

  for (int r = 0; r < table.size(); ++r) {
    const SheetRow& row = table[r];
    for (int c = 0; c < row.size(); ++c) {
      const QVariant& cell = row[c];
      switch (cell.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
          worksheet_write_number(sheet, r, c, cell.toDouble(), money);
          break;
        case QMetaType::Int:
        case QMetaType::LongLong:
          worksheet_write_number(sheet, r, c, double(cell.toLongLong()), whole);
          break;
        case QMetaType::QDateTime: {
          const QDateTime value = cell.toDateTime();
          lxw_datetime when{value.date().year(),   value.date().month(),
                            value.date().day(),    value.time().hour(),
                            value.time().minute(), double(value.time().second())};
          worksheet_write_datetime(sheet, r, c, &when, moment);
          break;
        }
        default:
          if (cell.isValid() && !cell.toString().isEmpty())
            worksheet_write_string(sheet, r, c, cell.toString().toUtf8().constData(), nullptr);
      }
    }
  }
  const lxw_error error = workbook_close(book);
  return error == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(error));
}

}  // namespace margem
