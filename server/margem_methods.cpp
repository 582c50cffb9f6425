// SPDX-License-Identifier: MIT
#include "margem_methods.h"

#include "call_params.h"
#include "rpc_error.h"

namespace margem::server {
namespace {

constexpr int kBranchWidth = 4;
constexpr int kNumberWidth = 10;
constexpr const char* kBranch = "o código da filial";
constexpr const char* kNumber = "o número do orçamento";

CallRunner planGetOrca(const CallParams& params) {
  params.expectCount(1);
  std::string number = params.text(0, kNumberWidth, kNumber);
  if (number.empty()) {
    return [](Connection& db) {
      CallResult result;
      result.packets.push_back(queryLookup(db));
      return result;
    };
  }
  return [number = std::move(number)](Connection& db) {
    CallResult result;
    result.packets.push_back(queryHeader(db, number));
    return result;
  };
}

CallRunner planGetMargem(const CallParams& params) {
  params.expectCount(2);
  std::string branch = params.text(0, kBranchWidth, kBranch);
  std::string number = params.text(1, kNumberWidth, kNumber);
  return [branch = std::move(branch), number = std::move(number)](Connection& db) {
    CallResult result;
    result.asArray = true;
    result.packets.push_back(queryItems(db, branch, number));
    result.packets.push_back(queryMargins(db, branch, number));
    return result;
  };
}

CallRunner planGetMargTLuc(const CallParams& params) {
  params.expectCount(3);
  std::string branch = params.text(0, kBranchWidth, kBranch);
  const CalendarDay first = params.day(1, "a data inicial do período");
  const CalendarDay last = params.day(2, "a data final do período");
  return [branch = std::move(branch), first, last](Connection& db) {
    CallResult result;
    result.packets.push_back(queryPeriodMargins(db, branch, first, last));
    return result;
  };
}

}  // namespace

bool CallResult::write(PacketWriter& writer) {
  if (asArray) writer.raw("[");
  for (std::size_t i = 0; i < packets.size(); ++i) {
    if (i) writer.raw(",");
    if (!writer.packet(packets[i].columns, *packets[i].cursor)) return false;
  }
  if (asArray) writer.raw("]");
  return true;
}

CallRunner planCall(const RpcRequest& request) {
  const CallParams params(request.method, request.params);
  if (request.method == "GetOrca") return planGetOrca(params);
  if (request.method == "GetMargem") return planGetMargem(params);
  if (request.method == "GetMargTLuc") return planGetMargTLuc(params);
  const std::string name = printableName(request.method);
  throw RpcError(200, rpc_code::kMethodNotFound,
                 name.empty() ? std::string("O servidor não conhece a chamada pedida.")
                              : "O servidor não conhece a chamada \"" + name + "\".");
}

}  // namespace margem::server
