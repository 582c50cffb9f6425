// SPDX-License-Identifier: MIT
// What report ORE014 shows, read from the quote header and the report rows.
#include <QStringLiteral>

#include "cli_ore01401_ore014.h"

namespace Cli_ore01401 {

namespace {

using margem::TClientDataSet;

QVariant FirstRowValue(const TClientDataSet& set, const QString& field) {
  const margem::TField* f = set.FindField(field);
  return f ? set.ValueAt(0, f->Index()) : QVariant();
}

QString FirstRowText(const TClientDataSet& set, const QString& field) {
  return FirstRowValue(set, field).toString().trimmed();
}

QVariant RowValue(const TClientDataSet& set, qsizetype row, const QString& field) {
  return set.ValueAt(row, set.FieldByName(field)->Index());
}

}  // namespace

Ore014Header Ore014HeaderFrom(const TClientDataSet& quote) {
  Ore014Header header;
  if (!quote.Active() || quote.RecordCount() == 0) return header;
  header.found = true;
  header.branch = FirstRowText(quote, QStringLiteral("CDFILIAL"));
  header.number = FirstRowText(quote, QStringLiteral("NRORCAEVENTO"));
  header.client = FirstRowText(quote, QStringLiteral("NMFANTCLIE"));
  if (header.client.isEmpty()) header.client = FirstRowText(quote, QStringLiteral("NMCLIEORCEVE"));
  header.eventType = FirstRowText(quote, QStringLiteral("NMTIPOEVENTO"));
  header.serviceType = FirstRowText(quote, QStringLiteral("NMTPSERVEVEN"));
  header.hall = FirstRowText(quote, QStringLiteral("NMSALAOEVEN"));
  header.event = FirstRowValue(quote, QStringLiteral("DTEVENTO")).toDateTime();
  header.guests = FirstRowValue(quote, QStringLiteral("QTCONVORCEVE")).toDouble();
  return header;
}

QList<Ore014Option> Ore014OptionsFrom(const TClientDataSet& rows) {
  QList<Ore014Option> options;
  if (!rows.Active()) return options;
  for (qsizetype row = 0; row < rows.RecordCount(); ++row) {
    const QString number = RowValue(rows, row, QStringLiteral("NROPCAITOREV")).toString();
    const int scenario = RowValue(rows, row, QStringLiteral("CDVALOR")).toString().toInt();
    if (options.isEmpty() || scenario == 1 || options.last().number != number) {
      Ore014Option option;
      option.number = number;
      option.itemTotal = RowValue(rows, row, QStringLiteral("VRTOTALITEM")).toDouble();
      option.discount = RowValue(rows, row, QStringLiteral("VRDESCORCEVE")).toDouble();
      options.append(option);
    }
    Ore014Scenario line;
    line.scenario = scenario;
    line.total = RowValue(rows, row, QStringLiteral("VRTOTAL1")).toDouble();
    line.perGuest = RowValue(rows, row, QStringLiteral("VRPESSOA1")).toDouble();
    line.profit = RowValue(rows, row, QStringLiteral("VRLUCRO1")).toDouble();
    line.diffProfit = RowValue(rows, row, QStringLiteral("VRLUCRODIFER")).toDouble();
    options.last().scenarios.append(line);
  }
  return options;
}

double ShareOfTotal(double value, double total) { return total > 0 ? value * 100.0 / total : 0.0; }

QString ScenarioCaption(int scenario) {
  if (scenario <= 1) return QStringLiteral("Valor Atual");
  return QStringLiteral("Valor %1").arg(scenario, 2, 10, QLatin1Char('0'));
}

}  // namespace Cli_ore01401
