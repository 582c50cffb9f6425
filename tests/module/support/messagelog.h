// SPDX-License-Identifier: MIT
// Records every message the host would have shown in a box, for the lifetime of the object
// (the message box is restored at its end).
#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const QStringList& Messages() const { return m_messages; }
  QString Last() const { return m_messages.isEmpty() ? QString() : m_messages.last(); }
  void Clear() { m_messages.clear(); }

 private:
  QStringList m_messages;
};

}  // namespace testsupport
