// SPDX-License-Identifier: MIT
// The profit percentage of every margin row of a quote, the mean per option, and the mean of a
// period. Rows are always inserted before the current row of their set.
#include "chartdata.h"

#include <limits>

#include "framework.h"

namespace margem {

namespace {

using Extended = long double;

constexpr int kMaxAveragedOption = 10;

// The option number of a comparison label starts at its 17th character: the label is the
// 10-character quote number, a blank, the option word, a blank and the number.
constexpr int kOptionPartStart = 16;
constexpr int kOptionPartLength = 20;

// The option number in a text: leading blanks skipped, then decimal digits only.
int OptionNumber(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && text.at(start).isSpace()) ++start;
  const QString digits = text.mid(start);
  const auto invalid = [&] {
    return OptionNumberError(
        QStringLiteral("Número de opção inválido: \"%1\".").arg(digits).toStdString());
  };
  if (digits.isEmpty()) throw invalid();
  qint64 value = 0;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') throw invalid();
    value = value * 10 + (c.unicode() - u'0');
    if (value > std::numeric_limits<int>::max()) throw invalid();
  }
  return static_cast<int>(value);
}

QString OptionPart(const TField* label) {
  return label->AsString().mid(kOptionPartStart, kOptionPartLength);
}

QString OptionLabel(const QString& quote, const QString& optionWord, const QString& number) {
  return quote + u' ' + optionWord + u' ' + number;
}

// A mean over no rows is 0.
double MeanOrZero(Extended sum, Extended count) {
  return count > 0 ? static_cast<double>(sum / count) : 0;
}

// The fields of a margin row that its profit is computed from.
struct MarginCostFields {
  explicit MarginCostFields(const TClientDataSet& rows)
      : total(rows.FieldByName(QStringLiteral("VRTOTALITEM"))),
        materialPct(rows.FieldByName(QStringLiteral("VRPEIMDEVAVEMP"))),
        otherPct(rows.FieldByName(QStringLiteral("VRPEIMDEVAVEOU"))),
        expensePct(rows.FieldByName(QStringLiteral("VRPEDESFIXASBGR"))) {}
  const TField* total;
  const TField* materialPct;
  const TField* otherPct;
  const TField* expensePct;
};

// The two figures written for every margin row.
struct ProfitFields {
  explicit ProfitFields(const TClientDataSet& rows)
      : profit(rows.FieldByName(QStringLiteral("VRLUCRO"))),
        profitPct(rows.FieldByName(QStringLiteral("VRPELUCRO"))) {}
  TField* profit;
  TField* profitPct;
};

// Writes the profit of the current margin row into the row being inserted: materials, other
// variable costs and the fixed expenses (the subgroup's share, then the service's percentage of
// it) taken from the sale value; the percentage is of the sale value, 0 when there is none.
void WriteRowProfit(const MarginCostFields& row, double servicePct, const ProfitFields& out) {
  const Extended t = row.total->AsFloat();
  const Extended mp = row.materialPct->AsFloat() * t / 100;
  const Extended ou = row.otherPct->AsFloat() * t / 100;
  Extended d = row.expensePct->AsFloat() * t / 100;
  d = servicePct * d / 100;
  out.profit->SetAsFloat(static_cast<double>(t - mp - ou - d));
  out.profitPct->SetAsFloat(t > 0 ? static_cast<double>(Extended(out.profit->AsFloat()) * 100 / t)
                                  : 0);
}

void InsertAuxRow(TClientDataSet& aux, const QString& label, double value, const QString& key) {
  aux.Insert();
  aux.FieldByName(QStringLiteral("NMORCAMENTO"))->SetAsString(label);
  aux.FieldByName(QStringLiteral("VRLUCOPC"))->SetAsFloat(value);
  if (!key.isEmpty()) aux.FieldByName(QStringLiteral("OPCAO"))->SetAsString(key);
  aux.Post();
}

// Walks the whole set, so that its last row is current afterwards.
int CountOptionRows(TClientDataSet& aux, const QString& key) {
  const TField* option = aux.FieldByName(QStringLiteral("OPCAO"));
  int count = 0;
  for (aux.First(); !aux.Eof(); aux.Next()) {
    if (option->AsString() == key) ++count;
  }
  return count;
}

}  // namespace

void ValorOpcao(TClientDataSet& valorOpc, int n, double value) {
  if (valorOpc.IsEmpty()) {
    valorOpc.Insert();
  } else {
    valorOpc.Edit();
  }
  if (n >= 1 && n <= kMaxAveragedOption) {
    TField* sum = valorOpc.FieldByName(QStringLiteral("VROPC%1").arg(n));
    TField* count = valorOpc.FieldByName(QStringLiteral("OPCAO%1").arg(n));
    sum->SetAsFloat(static_cast<double>(Extended(sum->AsFloat()) + value));
    count->SetAsFloat(count->AsFloat() + 1);
  }
  valorOpc.Post();
}

void CalculaLucro(const ChartDataSets& sets, double serv, bool comparison,
                  const QString& optionWord) {
  TClientDataSet& orcamento = *sets.orcamento;
  TClientDataSet& perc = *sets.percLucrGrup;
  TClientDataSet& media = *sets.mediaOrca;
  const TField* quote = orcamento.FieldByName(QStringLiteral("NRORCAEVENTO"));
  const TField* option = orcamento.FieldByName(QStringLiteral("NROPCAITOREV"));
  const TField* subgroup = orcamento.FieldByName(QStringLiteral("NMSUBGRPROD"));
  const MarginCostFields costs(orcamento);
  const ProfitFields figures(perc);
  TField* groupLabel = perc.FieldByName(QStringLiteral("NMSUBGRPROD"));
  TField* label = media.FieldByName(QStringLiteral("NMORCAMENTO"));
  TField* meanPct = media.FieldByName(QStringLiteral("VRLUCOPC"));

  // Rows of no option belong to every option of the quote: their percentages join every mean.
  double sharedSum = 0;
  int sharedCount = 0;
  for (orcamento.First(); !orcamento.Eof(); orcamento.Next()) {
    const bool sharedRow = EmptyString(option->AsString());
    perc.Insert();
    WriteRowProfit(costs, serv, figures);
    groupLabel->SetAsString(sharedRow ? subgroup->AsString()
                                      : subgroup->AsString() + u' ' + optionWord + u' ' +
                                            option->AsString());
    perc.Post();
    if (!comparison) continue;

    const int n = sharedRow ? 0 : OptionNumber(option->AsString());
    media.Insert();
    meanPct->SetAsFloat(figures.profitPct->AsFloat());
    if (sharedRow) {
      sharedSum = static_cast<double>(Extended(sharedSum) + meanPct->AsFloat());
      label->SetAsString(quote->AsString());
      ++sharedCount;
    } else {
      ValorOpcao(*sets.valorOpc, n, meanPct->AsFloat());
      label->SetAsString(OptionLabel(quote->AsString(), optionWord, QString::number(n)));
    }
    media.Post();
  }

  const QString lastQuote = orcamento.IsEmpty() ? QString() : quote->AsString();
  for (media.First(); !media.Eof(); media.Next()) {
    const QString part = OptionPart(label);
    const int c = part.isEmpty() ? 0 : OptionNumber(part);
    media.Edit();
    if (part.isEmpty()) {
      meanPct->SetAsFloat(MeanOrZero(sharedSum, sharedCount));
    } else if (c >= 1 && c <= kMaxAveragedOption) {
      const TClientDataSet& totals = *sets.valorOpc;
      const Extended sum = totals.FieldByName(QStringLiteral("VROPC%1").arg(c))->AsFloat();
      const Extended count = totals.FieldByName(QStringLiteral("OPCAO%1").arg(c))->AsFloat();
      meanPct->SetAsFloat(MeanOrZero(sum + sharedSum, count + sharedCount));
      label->SetAsString(
          OptionLabel(lastQuote, optionWord, QStringLiteral("%1").arg(c, 2, 10, QChar(u'0'))));
    }
    media.Post();
  }
}

void ExcluiRegistro(const ChartDataSets& sets) {
  TClientDataSet& media = *sets.mediaOrca;
  TClientDataSet& aux = *sets.auxMediaOrca;
  const TField* label = media.FieldByName(QStringLiteral("NMORCAMENTO"));
  const TField* meanPct = media.FieldByName(QStringLiteral("VRLUCOPC"));

  for (media.First(); !media.Eof(); media.Next()) {
    const QString part = OptionPart(label);
    if (part.isEmpty()) continue;
    const QString key = QString::number(OptionNumber(part));
    if (aux.IsEmpty() || CountOptionRows(aux, key) == 0) {
      InsertAuxRow(aux, label->AsString(), meanPct->AsFloat(), key);
    }
  }
  // A quote without options gets one bar: the mean over all its rows.
  if (aux.IsEmpty()) {
    if (media.IsEmpty()) {
      InsertAuxRow(aux, QString(), 0, QString());
    } else {
      InsertAuxRow(aux, label->AsString(), meanPct->AsFloat(), QString());
    }
  }
}

bool CalculaTLucro(const ChartDataSets& sets, const QString& meanLabel) {
  TClientDataSet& period = *sets.marTLuc;
  TClientDataSet& scratch = *sets.percTLuc;
  const MarginCostFields costs(period);
  const TField* servicePct = period.FieldByName(QStringLiteral("VRPEDESFIXASERV"));
  const ProfitFields figures(scratch);
  TField* name = scratch.FieldByName(QStringLiteral("NMSUBGRPROD"));

  // The scratch rows serve this run alone; those of an earlier run are dropped.
  scratch.EmptyDataSet();
  // Every margin row of every quote of the period weighs the same, each with its own quote's
  // service expense percentage.
  double sum = 0;
  int count = 0;
  for (period.First(); !period.Eof(); period.Next()) {
    scratch.Insert();
    WriteRowProfit(costs, servicePct->AsFloat(), figures);
    name->SetAsString(meanLabel);
    sum = static_cast<double>(Extended(sum) + figures.profitPct->AsFloat());
    ++count;
    scratch.Post();
  }
  if (period.IsEmpty()) return false;
  InsertAuxRow(*sets.auxMediaOrca, meanLabel, MeanOrZero(sum, count), QString());
  return true;
}

}  // namespace margem
