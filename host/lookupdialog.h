// SPDX-License-Identifier: MIT
// The list dialog of the lookup button: the visible fields of a data set under their display
// labels, a filter line ("edtFiltro") that keeps the rows where any column contains the typed
// text (letter case ignored), and the table ("grdPesquisa"). Enter in either, or a double click,
// picks the current row and accepts; PickedRow then names the data set's row.
#pragma once

#include <QDialog>

#include "clientdataset.h"
#include "hostexport.h"

class QLineEdit;
class QTableView;
class QSortFilterProxyModel;

namespace margem {

class TDataSetModel;

class MARGEM_HOST_EXPORT TLookupDialog : public QDialog {
  Q_OBJECT
 public:
  TLookupDialog(TClientDataSet* dataSet, const QString& title, QWidget* parent = nullptr);

  QLineEdit* FilterEdit() const { return m_filter; }
  QTableView* Table() const { return m_table; }
  int VisibleRowCount() const;         // rows left by the filter
  void PickVisibleRow(int row);        // picks the row-th row left by the filter, accepts
  qsizetype PickedRow() const { return m_picked; }  // the data set's row; -1 before a pick

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pickCurrent();
  TDataSetModel* m_model;
  QSortFilterProxyModel* m_proxy;
  QLineEdit* m_filter;
  QTableView* m_table;
  qsizetype m_picked = -1;
};

}  // namespace margem
