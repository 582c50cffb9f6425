// SPDX-License-Identifier: MIT
// The data grid: a read-only table over a data source's data set with a column list. Titles, grid
// lines, resizable columns, whole-row selection kept visible without the focus, no row indicator.
// The selected row follows the data set's cursor, and a row clicked by the user becomes the data
// set's current row (Shift and Ctrl clicks, and Ctrl+A, select more rows). When the data source is
// given another data set the grid follows it.
//
// The columns take their given widths, grown in proportion to fill a wider grid, until the user
// resizes one by hand. Tab and Shift+Tab move the focus out of the grid, not from cell to cell.
// Ctrl+C (and the context menu's "Copiar") puts the selected rows, or every row when none is
// selected, on the clipboard as tab-separated text with the titles first and every cell as the
// grid shows it (numbers in pt_BR); "Copiar tudo" copies every row. A column's hint is its title's
// tooltip.
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

  // The height that shows the titles and that many rows whole.
  int HeightForRows(int rows) const;

  // The rows as Ctrl+C copies them: titles, then each row, tab-separated, one line each.
  QString CopyText(bool allRows) const;
  void CopyToClipboard(bool allRows) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void bindDataSet();
  void followCursor(qsizetype row);
  void applyWidths();
  void fitTitles();
  TDataSetModel* m_model;
  bool m_applyingWidths = false;
  bool m_resizedByUser = false;
  QPointer<TDataSource> m_dataSource;
  QMetaObject::Connection m_sourceConnection;
};

// Index of the grid's column bound to the field (letter case ignored); -1 when none or no grid.
MARGEM_HOST_EXPORT int IndiceCol(TDBGrid* grid, const QString& fieldName);

}  // namespace margem
