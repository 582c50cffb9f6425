// SPDX-License-Identifier: MIT
// A navigator bar: first, previous, next and last row of a data source's data set. Buttons are
// enabled only while the set is open and has rows.
#pragma once

#include <QPointer>
#include <QWidget>

#include "clientdataset.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TDBNavigator : public QWidget {
  Q_OBJECT
 public:
  explicit TDBNavigator(const QString& name = {}, QWidget* parent = nullptr);
  void SetDataSource(TDataSource* dataSource);

 private:
  void refresh();
  QPointer<TDataSource> m_dataSource;
  QList<QMetaObject::Connection> m_connections;
};

}  // namespace margem
