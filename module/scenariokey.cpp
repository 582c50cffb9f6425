// SPDX-License-Identifier: MIT
#include "scenariokey.h"

namespace scenariokey {

QString Copy(const QString& text, int position, int count) {
  if (position < 1 || position > text.size() || count <= 0) return {};
  return text.mid(position - 1, count);
}

QString Make(int k, int n) { return QStringLiteral("%1Op%2").arg(k).arg(n); }

QString OfControl(const QString& name) { return Copy(name, 6, 5); }

int Option(const QString& key) { return Copy(key, 4, 2).toInt(); }

int Scenario(const QString& key) { return key.isEmpty() ? 0 : qMax(0, key.at(0).digitValue()); }

QString OptionPart(const QString& key) { return Copy(key, 2, 4); }

int OptionOfToggle(const QString& name) { return Copy(name, 12, 2).toInt(); }

}  // namespace scenariokey
