// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes given to the packet and reply readers, and any packet they accept
// loaded into a set that takes its structure and into one with a fixed field list, must end in a
// result or in PacketError; nothing else may escape, and nothing may crash or leak.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "clientdataset.h"
#include "servervalue.h"

using namespace margem;

namespace {

void Load(const DataPacket& packet) {
  TClientDataSet taking("cdsMarTLuc");
  taking.LoadPacket(packet);
  for (taking.First(); !taking.Eof(); taking.Next()) {
    for (int f = 0; f < taking.FieldCount(); ++f) taking.Field(f)->DisplayText();
  }
  TClientDataSet fixed("cdsOrca");
  fixed.AddField("NRORCAEVENTO", FieldType::String, 10);
  fixed.AddField("VRTOTALITEM", FieldType::Float);
  try {
    fixed.LoadPacket(packet);
  } catch (const PacketError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    Load(ReadDataPacket(text));
  } catch (const PacketError&) {
  }
  try {
    const RpcReply reply = ReadRpcReply(text);
    if (!reply.isError && reply.result.kind() == ServerValue::Kind::Packet) {
      Load(reply.result.Packet());
    }
  } catch (const PacketError&) {
  }
  return 0;
}
