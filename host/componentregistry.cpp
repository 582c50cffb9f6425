// SPDX-License-Identifier: MIT
#include "componentregistry.h"

namespace margem {

QObject* ComponentRegistry::Find(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  const QString key = name.toLower();
  const auto remembered = [&]() -> QObject* {
    const auto it = m_byName.constFind(key);
    if (it == m_byName.constEnd() || it->isNull()) return nullptr;
    QObject* object = it->data();
    return object->objectName().compare(name, Qt::CaseInsensitive) == 0 ? object : nullptr;
  };
  if (QObject* object = remembered()) return object;
  rebuild();
  return remembered();
}

void ComponentRegistry::rebuild() const {
  m_byName.clear();
  for (QObject* child : m_root->findChildren<QObject*>()) {
    const QString key = child->objectName().toLower();
    if (!key.isEmpty() && !m_byName.contains(key)) m_byName.insert(key, child);
  }
}

}  // namespace margem
