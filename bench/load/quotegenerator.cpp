// SPDX-License-Identifier: MIT
#include "quotegenerator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace benchload {

bool WriteLargeQuote(const QString& path, const QString& number, int options, int subgroups,
                     int items) {
  QJsonArray subgroupList;
  for (int s = 0; s < subgroups; ++s)
    subgroupList.append(QJsonObject{{"group", QStringLiteral("G%1").arg(s % 5)},
                                    {"code", QStringLiteral("S%1").arg(s, 3, 10, QChar('0'))},
                                    {"name", QStringLiteral("SUBGRUPO %1").arg(s)},
                                    {"expense", 20 + s % 30},
                                    {"discounts", s % 3 == 0 ? "N" : "S"},
                                    {"freightShare", s % 4 == 0 ? "S" : "N"},
                                    {"freight", s % 7 == 0 ? "S" : "N"}});
  QJsonArray optionList;
  for (int o = 1; o <= options; ++o)
    optionList.append(QJsonObject{{"number", QStringLiteral("%1").arg(o, 2, 10, QChar('0'))},
                                  {"discount", 10 * o}});
  // Every option gets every subgroup at least once; the rest of the items cycle over them.
  const int perOption = qMax(items / options, subgroups);
  QJsonArray itemList;
  for (int o = 1; o <= options; ++o)
    for (int i = 0; i < perOption; ++i)
      itemList.append(QJsonObject{
          {"option", QStringLiteral("%1").arg(o, 2, 10, QChar('0'))},
          {"subgroup", QStringLiteral("S%1").arg(i % subgroups, 3, 10, QChar('0'))},
          {"product", QStringLiteral("P%1").arg(o * 1000 + i)},
          {"productName", QStringLiteral("Produto %1.%2").arg(o).arg(i)},
          {"unit", "UN"},
          {"value", 50.0 + (o * 37 + i * 11) % 400},
          {"materials", 20 + i % 15},
          {"other", 5 + i % 6},
          {"freight", i % 9 == 0 ? 25 : 0}});
  const QJsonObject quote{{"branch", "0001"},
                          {"number", number},
                          {"sequence", "01"},
                          {"event", "2005-03-10T20:00:00"},
                          {"included", "2005-03-01T09:30:00"},
                          {"clientTradeName", "Buffet Estrela"},
                          {"clientName", "Maria da Silva"},
                          {"eventType", "Casamento"},
                          {"serviceType", "Buffet completo"},
                          {"serviceExpense", 20},
                          {"guests", 250},
                          {"hall", "Salão Nobre"},
                          {"commission", 5},
                          {"options", optionList},
                          {"items", itemList}};
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(QJsonObject{{"subgroups", subgroupList}, {"quotes", QJsonArray{quote}}})
                 .toJson(QJsonDocument::Compact));
  return true;
}

}  // namespace benchload
