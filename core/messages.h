// SPDX-License-Identifier: MIT
// A form's message table: lines "key|text"; Msg(key) returns the text of the first line with that
// key (the text may itself hold "|"). Blank lines are skipped. An unknown key is a programming
// error and raises std::logic_error naming the key.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace margem {

class TMessages {
 public:
  TMessages() = default;
  explicit TMessages(const QStringList& lines);
  void SetLines(const QStringList& lines);  // std::invalid_argument for a line without "|"
  QString Msg(const QString& key) const;
  bool Contains(const QString& key) const;

 private:
  QHash<QString, QString> m_texts;
};

}  // namespace margem
