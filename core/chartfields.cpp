// SPDX-License-Identifier: MIT
// The field lists of the chart-data sets.
#include "chartdata.h"

namespace margem {

namespace {

const QString kMoneyFormat = QStringLiteral("#,##0.00");

void AddText(TClientDataSet& set, const char* name, int size) {
  set.AddField(QString::fromLatin1(name), FieldType::String, size);
}

void AddNumber(TClientDataSet& set, const char* name, const char* label = nullptr) {
  TField* field = set.AddField(QString::fromLatin1(name), FieldType::Float);
  if (label) {
    field->DisplayLabel = QString::fromUtf8(label);
    field->DisplayFormat = kMoneyFormat;
  }
}

}  // namespace

void DefineMarginRowFields(TClientDataSet& set) {
  AddText(set, "CDFILIAL", 4);
  AddText(set, "NRORCAEVENTO", 10);
  AddText(set, "NROPCAITOREV", 2);
  AddNumber(set, "VRDESCORCEVE");
  AddNumber(set, "VRTOTALITEM");
  AddText(set, "CDGRUPPRODREL", 10);
  AddText(set, "CDSUBGRPRODREL", 10);
  AddText(set, "NMSUBGRPROD", 40);
  AddNumber(set, "VRPEIMDEVAVEMP", "% IDVV MP");
  AddNumber(set, "VRPEIMDEVAVEOU", "% IDVV Outros");
  AddNumber(set, "VRPEDESFIXASBGR");
  AddText(set, "IDDIFEFRETESBGR", 1);
  AddNumber(set, "VRFRETE");
  AddText(set, "IDDESCONTOSBGR", 1);
  AddText(set, "IDFRETESBGR", 1);
}

void DefinePercLucrGrupFields(TClientDataSet& set) {
  DefineMarginRowFields(set);
  AddNumber(set, "VRPELUCRO", "% Lucro");
  AddNumber(set, "VRLUCRO", "Vr. Lucro");
}

void DefineMediaOrcaFields(TClientDataSet& set) {
  AddText(set, "NMORCAMENTO", 40);
  AddNumber(set, "VRLUCOPC");
}

void DefineValorOpcFields(TClientDataSet& set) {
  for (int n = 1; n <= 10; ++n) set.AddField(QStringLiteral("VROPC%1").arg(n), FieldType::Float);
  for (int n = 1; n <= 10; ++n) set.AddField(QStringLiteral("OPCAO%1").arg(n), FieldType::Float);
}

void DefineAuxMediaOrcaFields(TClientDataSet& set) {
  AddText(set, "NMORCAMENTO", 40);
  AddNumber(set, "VRLUCOPC");
  AddText(set, "OPCAO", 3);
}

void DefineMarTLucFields(TClientDataSet& set) {
  DefineMarginRowFields(set);
  AddNumber(set, "VRPEDESFIXASERV");
}

void DefinePercTLucFields(TClientDataSet& set) {
  AddNumber(set, "VRPELUCRO", "% Lucro");
  AddNumber(set, "VRLUCRO", "Vr. Lucro");
  AddText(set, "NMSUBGRPROD", 40);
}

}  // namespace margem
