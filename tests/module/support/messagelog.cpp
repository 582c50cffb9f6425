// SPDX-License-Identifier: MIT
#include "messagelog.h"

#include "messagerecorder.h"

namespace testsupport {

MessageLog::MessageLog() {
  margem::SetMessageRecorder([this](const QString& text) { m_messages << text; });
}

MessageLog::~MessageLog() { margem::SetMessageRecorder(nullptr); }

}  // namespace testsupport
