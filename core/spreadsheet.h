// SPDX-License-Identifier: MIT
// A table of figures for spreadsheet programs, and the two files it is written to.
//
// Each cell is a QVariant: a text (QString), a number with two decimals (double), a whole
// number (int, qlonglong), a date and time (QDateTime), or nothing (an invalid QVariant). Rows may
// have different lengths; an empty row is a blank line.
//
// WriteCsv: the CSV that spreadsheet programs set up for Brazil open as they are: UTF-8 with a
// byte-order mark, ";" between cells, CRLF line ends, numbers with a decimal comma and no
// thousands separator ("1234,50"), dates "dd/mm/aaaa hh:mm"; a text with ";", a quote, a line
// break or blanks at its ends is quoted ("…", quotes doubled).
//
// WriteXlsx: a workbook with one sheet named `sheetName`: numbers and dates are real number cells
// (shown as 1.234,50 and dd/mm/aaaa hh:mm), texts are texts.
//
// Both return an empty string on success, else why the file could not be written (for the
// user's message).
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace margem {

using SheetRow = QList<QVariant>;
using SheetTable = QList<SheetRow>;

QString CsvText(const SheetTable& table);  // what WriteCsv writes, without the byte-order mark
QString WriteCsv(const SheetTable& table, const QString& path);
QString WriteXlsx(const SheetTable& table, const QString& sheetName, const QString& path);

}  // namespace margem
