// SPDX-License-Identifier: MIT
#include "replyelement.h"

void LoadReplyElement(margem::TClientDataSet& target, const margem::ServerValue& element) {
  if (!element.IsNull())
    target.LoadPacket(element.Packet());
  else if (target.Active())
    target.EmptyDataSet();
  else
    target.CreateDataSet();
}
