// SPDX-License-Identifier: MIT
#include "optiongenerator.h"

#include <QRandomGenerator>

#include "framework.h"
#include "profit.h"

namespace bench {

GeneratedOption GenerateOption(margem::TClientDataSet& grupo, int subgroups, quint32 seed) {
  QRandomGenerator random(seed);
  const auto amount = [&](double low, double high) {
    return margem::RoundDec(low + random.generateDouble() * (high - low), 2);
  };
  // Most subgroups follow the price; some keep their value, a few carry another flag.
  const QString priceFlags[] = {"S", "S", "S", "S", "N", "N", ""};
  margem::DefineGrupoFields(grupo);
  grupo.CreateDataSet();
  double quoted = 0;
  for (int i = 0; i < subgroups; ++i) {
    const double total = amount(0, 8000);
    quoted += total;
    grupo.Append();
    grupo.FieldByName("NMSUBGRPROD")->SetAsString(QStringLiteral("SUBGRUPO %1").arg(i + 1));
    grupo.FieldByName("VRTOTALITEM")->SetAsFloat(total);
    grupo.FieldByName("IDDESCONTOSBGR")->SetAsString(priceFlags[random.bounded(7)]);
    grupo.FieldByName("VRPEMATPAUX")->SetAsFloat(amount(10, 45));
    grupo.FieldByName("VRPEOUTRAUX")->SetAsFloat(amount(2, 15));
    grupo.FieldByName("VRPEDESPAUX")->SetAsFloat(amount(20, 100));
    grupo.FieldByName("IDDIFEFRETESBGR")->SetAsString(random.bounded(3) == 0 ? "S" : "N");
    grupo.FieldByName("VRFRETE")->SetAsFloat(amount(0, 300));
    grupo.FieldByName("IDFRETESBGR")->SetAsString(random.bounded(20) == 0 ? "S" : "N");
    grupo.Post();
  }
  GeneratedOption option;
  option.currentTotal = margem::RoundDec(quoted * 0.95, 2);
  option.serv = 18.5;
  option.guests = 250;
  margem::CalcScenarioProfit(grupo, option.currentTotal, option.currentTotal, option.serv, 1);
  return option;
}

}  // namespace bench
