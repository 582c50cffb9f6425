// SPDX-License-Identifier: MIT
// The remote data module "ORE01400.rdmMargem": GetOrca, GetMargem and GetMargTLuc.
//
// planCall checks the method and its parameters before any database work and returns what will
// run the call's queries; it raises RpcError -32601 for an unknown method and -32602 for a wrong
// parameter. The queries raise DatabaseError. An unknown quote or branch is no error: it answers
// packets without rows.
#pragma once

#include <functional>
#include <vector>

#include "database.h"
#include "margin_queries.h"
#include "packet_writer.h"
#include "rpc_request.h"

namespace margem::server {

inline constexpr const char* kModuleName = "ORE01400.rdmMargem";

// The packets of one result, their queries already run.
struct CallResult {
  std::vector<PacketQuery> packets;
  bool asArray = false;  // GetMargem answers an array of packets; the others one packet

  // Writes the result value. False when the reader went away.
  bool write(PacketWriter& writer);
};

using CallRunner = std::function<CallResult(Connection&)>;

CallRunner planCall(const RpcRequest& request);

}  // namespace margem::server
