// SPDX-License-Identifier: MIT
// A Qt table model over a client data set with a column list (field, title, width, alignment).
// It follows inserts, edits, resets and cursor moves; it is read-only. Grids and charts use it.
// It shows posted rows only (a row being inserted appears once posted). While the set's controls
// are disabled the model is told nothing: it keeps the row count it had, and its cells read the
// set's rows as they are at that moment (a row past the set's end reads empty); the last
// EnableControls resets it.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

#include "clientdataset.h"

namespace margem {

struct TColumn {
  QString fieldName;
  QString title;  // empty: the field's display label
  int width = 64;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  QString hint;  // what the column means, the title's tooltip
};

class TDataSetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TDataSetModel(TClientDataSet* dataSet, QList<TColumn> columns, QObject* parent = nullptr);

  TClientDataSet* dataSet() const { return m_dataSet; }
  void setDataSet(TClientDataSet* dataSet);
  const QList<TColumn>& columns() const { return m_columns; }
  void setColumns(QList<TColumn> columns);
  void setColumnField(int column, const QString& fieldName);  // rebinds one column
  void setColumnTitle(int column, const QString& title);
  int indexOfField(const QString& fieldName) const;  // letter case ignored; -1 when absent

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the field's DisplayText; EditRole: the raw value; TextAlignmentRole. Titles
  // also give the column's hint as ToolTipRole.
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void currentRowChanged(qsizetype row);

 private:
  void attach();
  void resolveFields();
  QPointer<TClientDataSet> m_dataSet;
  QList<TColumn> m_columns;
  QList<TField*> m_fields;  // per column; nullptr for a field the set does not have
  qsizetype m_rowCount = 0;
  QList<QMetaObject::Connection> m_connections;
};

}  // namespace margem
