// SPDX-License-Identifier: MIT
// A read-only data-bound text: the display text of one field of the data source's current row,
// empty while the data set is closed or empty or has no such field. Sunken frame. Refreshes on
// every change of the data set (state, rows, cursor) and when the source gets another data set.
#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

#include "clientdataset.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TDBText : public QLabel {
  Q_OBJECT
 public:
  TDBText(TDataSource* dataSource, QString fieldName, QWidget* parent = nullptr);

  QString FieldName() const { return m_fieldName; }
  void Refresh();

 private:
  void bindDataSet();
  QPointer<TDataSource> m_dataSource;
  QString m_fieldName;
  QList<QMetaObject::Connection> m_connections;
};

}  // namespace margem
