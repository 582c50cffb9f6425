// SPDX-License-Identifier: MIT
// The data grid: a read-only table over a data source's data set with a column list. Titles, grid
// lines, resizable columns, whole-row selection kept visible without the focus, no row indicator.
// The selected row follows the data set's cursor, and a row clicked by the user becomes the data
// set's current row. When the data source is given another data set the grid follows it.
#pragma once

#include <QList>
#include <QPointer>
#include <QTableView>

#include "clientdataset.h"
#include "datasetmodel.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TDBGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TDBGrid(const QString& name = {}, QWidget* parent = nullptr);

  void SetDataSource(TDataSource* dataSource);
  TDataSource* DataSource() const { return m_dataSource; }
  void SetColumns(QList<TColumn> columns);  // widths applied to the view
  TDataSetModel* Model() const { return m_model; }

 private:
  void bindDataSet();
  void followCursor(qsizetype row);
  void applyWidths();
  void fitTitles();
  TDataSetModel* m_model;
  QPointer<TDataSource> m_dataSource;
  QMetaObject::Connection m_sourceConnection;
};

// Index of the grid's column bound to the field (letter case ignored); -1 when none or no grid.
MARGEM_HOST_EXPORT int IndiceCol(TDBGrid* grid, const QString& fieldName);

}  // namespace margem
