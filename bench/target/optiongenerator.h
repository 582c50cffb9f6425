// SPDX-License-Identifier: MIT
// A generated option for the target-price benchmark: its subgroup set (the workspace's field
// list) with mixed flags, freight sharing and cost percentages, after the current-value run.
#pragma once

#include <QtGlobal>

#include "clientdataset.h"

namespace bench {

struct GeneratedOption {
  double currentTotal = 0;
  double serv = 0;
  double guests = 0;
};

// Fills an inactive set with the subgroup fields and `subgroups` rows made from seed (the same
// seed, the same option), runs the current-value scenario over it and returns its totals.
GeneratedOption GenerateOption(margem::TClientDataSet& grupo, int subgroups, quint32 seed);

}  // namespace bench
