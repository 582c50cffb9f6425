// SPDX-License-Identifier: MIT
// Finds the components of a form by name, letter case ignored ("nedPl2Op7" finds "nedPL2Op7").
// The index of lower-case names is built over all descendants and rebuilt on a miss, or when a
// remembered object is gone or renamed, so components added later are found too. With two
// descendants of the same name the first in creation order wins.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT ComponentRegistry {
 public:
  explicit ComponentRegistry(const QObject* root) : m_root(root) {}
  QObject* Find(const QString& name) const;  // nullptr when no descendant has the name

 private:
  void rebuild() const;
  const QObject* m_root;
  mutable QHash<QString, QPointer<QObject>> m_byName;
};

}  // namespace margem
