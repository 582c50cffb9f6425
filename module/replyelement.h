// SPDX-License-Identifier: MIT
// Loading one element of a server reply into a client data set. A Null element counts as a
// packet without rows: the set ends open and empty, so nothing of an earlier load stays behind.
#pragma once

#include "clientdataset.h"
#include "servervalue.h"

void LoadReplyElement(margem::TClientDataSet& target, const margem::ServerValue& element);
