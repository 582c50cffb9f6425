// SPDX-License-Identifier: MIT
// The figures behind the two margin charts, with no screen involved: the profit percentage of
// every margin row of the current quote, the mean per option, and the mean of a period.
//
// Every row added to these data sets is inserted before the current row, so the sets hold their
// rows in the reverse of the order they were computed in; the charts draw them in that order.
#pragma once

#include <QString>
#include <stdexcept>

#include "clientdataset.h"

namespace margem {

// Raised when a margin row carries an option number that is not decimal digits; the message is
// Portuguese and names the value.
class OptionNumberError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Field lists of the chart-data sets: each adds its fields, with labels and formats, to an
// inactive set; the caller opens it (CreateDataSet, or LoadPacket for the server's rows).
void DefineMarginRowFields(TClientDataSet& set);     // the 15 margin-row columns
void DefinePercLucrGrupFields(TClientDataSet& set);  // margin row + VRPELUCRO, VRLUCRO
void DefineMediaOrcaFields(TClientDataSet& set);     // NMORCAMENTO, VRLUCOPC
void DefineValorOpcFields(TClientDataSet& set);      // VROPC1..10, OPCAO1..10
void DefineAuxMediaOrcaFields(TClientDataSet& set);  // NMORCAMENTO, VRLUCOPC, OPCAO
void DefineMarTLucFields(TClientDataSet& set);       // margin row + VRPEDESFIXASERV
void DefinePercTLucFields(TClientDataSet& set);      // VRPELUCRO, VRLUCRO, NMSUBGRPROD

struct ChartDataSets {
  TClientDataSet* orcamento = nullptr;     // margin rows of the current quote (loaded by caller)
  TClientDataSet* percLucrGrup = nullptr;  // group chart source
  TClientDataSet* mediaOrca = nullptr;     // one row per margin row, labelled by option
  TClientDataSet* valorOpc = nullptr;      // per option: sum and count of the percentages
  TClientDataSet* auxMediaOrca = nullptr;  // comparison chart source
  TClientDataSet* marTLuc = nullptr;       // margin rows of the period (loaded by caller)
  TClientDataSet* percTLuc = nullptr;      // scratch rows of the period computation
};

// Profit and percentage of every row of `orcamento` into `percLucrGrup`; when `comparison`, also
// the per-option means into `mediaOrca` and `valorOpc`. serv: the quote's service fixed-expense
// percentage; optionWord: the text "Opção" of the form's message table. The result sets are
// expected empty. OptionNumberError (comparison only) for an option number that is not digits;
// the sets then hold the rows computed before it, none of them left half-written.
void CalculaLucro(const ChartDataSets& sets, double serv, bool comparison,
                  const QString& optionWord);

// Adds value to the sum of option n (1..10) and counts it; other n change nothing.
void ValorOpcao(TClientDataSet& valorOpc, int n, double value);

// One row per option of `mediaOrca` into `auxMediaOrca` (or one row for a quote without options).
// Leaves `auxMediaOrca` on the row the period mean goes before. OptionNumberError for a label
// whose option part is not digits.
void ExcluiRegistro(const ChartDataSets& sets);

// The period's mean profit percentage over `marTLuc`, inserted into `auxMediaOrca` before its
// current row labelled meanLabel ("Média"). `percTLuc` is emptied first and then receives one
// scratch row per period row. Returns false, inserting nothing into `auxMediaOrca`, when the
// period has no rows.
bool CalculaTLucro(const ChartDataSets& sets, const QString& meanLabel);

}  // namespace margem
