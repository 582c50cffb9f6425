// SPDX-License-Identifier: MIT
// Report "ORE014", the final margin of one quote: a header with the quote's branch, number,
// client, event, date and guests, then one block per option with its five price scenarios (total,
// per guest, profit, differentiated profit and their percentages of the total), page numbers and
// the print date. A4 portrait, pt_BR numbers and dates.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <vector>

#include "clientdataset.h"
#include "reportdocument.h"

namespace Cli_ore01401 {

// The quote as the report's query reads it. found is false when no quote stands behind the key.
struct Ore014Header {
  bool found = false;
  QString branch;
  QString number;
  QString client;
  QString eventType;
  QString serviceType;
  QString hall;
  QDateTime event;
  double guests = 0;
};

struct Ore014Scenario {
  int scenario = 1;  // 1 = the current value, 2..5 = "Valor 02".."Valor 05"
  double total = 0;
  double perGuest = 0;
  double profit = 0;
  double diffProfit = 0;
};

struct Ore014Option {
  QString number;  // NROPCAITOREV
  double itemTotal = 0;
  double discount = 0;
  QList<Ore014Scenario> scenarios;
};

struct Ore014Data {
  QString companyLine;
  Ore014Header header;
  QList<Ore014Option> options;
  QDateTime printedAt;
};

// The header from the quote data set the query loaded (columns of the quote header packet; the
// client is the trade name, or the name written on the quote when that is empty). An inactive or
// empty set gives a header that was not found.
Ore014Header Ore014HeaderFrom(const margem::TClientDataSet& quote);

// The option blocks from the report rows (cdsMargemRel): consecutive rows of one option number
// form a block; a row of scenario "1" always starts a new one. The rows are read, not moved.
QList<Ore014Option> Ore014OptionsFrom(const margem::TClientDataSet& rows);

// A value as a percentage of a total; 0 when the total is not positive.
double ShareOfTotal(double value, double total);

// "Valor Atual" for scenario 1, "Valor 02".."Valor 05" for the others.
QString ScenarioCaption(int scenario);

class TOre014Document : public margem::TReportDocument {
 public:
  explicit TOre014Document(Ore014Data data);
  int PageCount() const override;
  void PaintPage(QPainter& painter, int index) const override;

  // Option indexes placed on each page, for tests of the pagination.
  const std::vector<std::vector<int>>& Pages() const { return m_pages; }

 private:
  Ore014Data m_data;
  std::vector<std::vector<int>> m_pages;
};

}  // namespace Cli_ore01401
