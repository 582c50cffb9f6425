// SPDX-License-Identifier: MIT
// Subgroup rows for the profit tests: a row's inputs, the worked example's two subgroups, a set
// filled with them, and ladder cells that keep two decimals as the screen's number edits do.
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <array>

#include "framework.h"
#include "profit.h"

namespace testsupport {

using margem::LadderRow;
using margem::TClientDataSet;

struct Subgroup {
  double total = 0;             // VRTOTALITEM
  QString followsPrice;         // IDDESCONTOSBGR
  double materialPct = 0;       // VRPEMATPAUX, and the shown VRPEIMDEVAVEMP
  double otherPct = 0;          // VRPEOUTRAUX
  double expensePct = 0;        // VRPEDESPAUX
  QString sharesFreight = "N";  // IDDIFEFRETESBGR
  double freight = 0;           // VRFRETE
  QString isFreight = "N";      // IDFRETESBGR
};

// The two subgroups of one option that the examples use (service expense 20 %, total 1 000).
const Subgroup kG1{600, "S", 30, 10, 50, "S", 100, "N"};
const Subgroup kG2{400, "N", 40, 5, 100, "N", 100, "N"};
constexpr double kServ = 20;

inline void Fill(TClientDataSet& set, const QList<Subgroup>& rows) {
  if (!set.Active()) set.CreateDataSet();
  for (const Subgroup& row : rows) {
    set.Append();
    set.FieldByName("NMSUBGRPROD")->SetAsString(QStringLiteral("G%1").arg(set.RecordCount() + 1));
    set.FieldByName("VRTOTALITEM")->SetAsFloat(row.total);
    set.FieldByName("IDDESCONTOSBGR")->SetAsString(row.followsPrice);
    for (const char* name : {"VRPEIMDEVAVEMP", "VRPEMATPAUX"}) {
      set.FieldByName(name)->SetAsFloat(row.materialPct);
    }
    for (const char* name : {"VRPEIMDEVAVEOU", "VRPEOUTRAUX"}) {
      set.FieldByName(name)->SetAsFloat(row.otherPct);
    }
    for (const char* name : {"VRPEDESFIXASBGR", "VRPEDESPAUX"}) {
      set.FieldByName(name)->SetAsFloat(row.expensePct);
    }
    set.FieldByName("IDDIFEFRETESBGR")->SetAsString(row.sharesFreight);
    set.FieldByName("VRFRETE")->SetAsFloat(row.freight);
    set.FieldByName("IDFRETESBGR")->SetAsString(row.isFreight);
    set.Post();
  }
}

// Ladder cells that hold what a two-decimal number edit would show.
class EditCells : public margem::ScenarioCells {
 public:
  double Get(LadderRow row, int scenario) const override { return m_cells.at(Slot(row, scenario)); }
  void Set(LadderRow row, int scenario, double value) override {
    m_cells.at(Slot(row, scenario)) = margem::RoundDec(value, 2);
  }
  QList<double> Row(LadderRow row) const {
    QList<double> values;
    for (int k = 1; k <= 5; ++k) values << Get(row, k);
    return values;
  }

 private:
  static std::size_t Slot(LadderRow row, int scenario) {
    return static_cast<std::size_t>(row) * 5 + static_cast<std::size_t>(scenario - 1);
  }
  std::array<double, 25> m_cells{};
};

}  // namespace testsupport

Q_DECLARE_METATYPE(testsupport::Subgroup)
