// SPDX-License-Identifier: MIT
#include "messages.h"

#include <stdexcept>

#include "framework.h"

namespace margem {

TMessages::TMessages(const QStringList& lines) { SetLines(lines); }

void TMessages::SetLines(const QStringList& lines) {
  QHash<QString, QString> texts;
  for (const QString& line : lines) {
    if (EmptyString(line)) continue;
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (bar < 0) {
      throw std::invalid_argument(
          QStringLiteral("TMessages: linha sem \"|\": \"%1\"").arg(line).toStdString());
    }
    const QString key = line.left(bar);
    if (!texts.contains(key)) texts.insert(key, line.mid(bar + 1));
  }
  m_texts = std::move(texts);
}

QString TMessages::Msg(const QString& key) const {
  const auto found = m_texts.constFind(key);
  if (found == m_texts.constEnd()) {
    throw std::logic_error(
        QStringLiteral("TMessages: chave de mensagem desconhecida: \"%1\"").arg(key).toStdString());
  }
  return *found;
}

bool TMessages::Contains(const QString& key) const { return m_texts.contains(key); }

}  // namespace margem
