// SPDX-License-Identifier: MIT
// Reads one data packet object where a JSON cursor stands, straight into compact storage. Used by
// the packet reader and the reply reader.
#pragma once

#include "datapacket.h"
#include "jsoncursor.h"

namespace margem {

// Largest text field a packet may declare, in characters.
inline constexpr int kMaxTextSize = 1 << 20;

DataPacket ReadPacketAt(JsonCursor& in);

}  // namespace margem
