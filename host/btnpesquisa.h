// SPDX-License-Identifier: MIT
// The lookup button. A click runs OnBeforePesq (which fills the data set; setting its flag to
// false stops the lookup); an empty or closed data set then gives MensErro(EmptyError); otherwise
// a modal dialog titled Title lists the data set's visible fields under their display labels,
// with a filter line above that keeps the rows where any column contains the typed text (letter
// case ignored). Enter or a double click picks the current row: the data set's cursor moves to it,
// the dialog closes and OnAfterPesq runs. Escape closes without a pick. The whole click runs
// inside the handler guard.
//
// The dialog's parts carry object names: "grdPesquisa" (QTableView), "edtFiltro" (QLineEdit).
// ExecHook, when set, replaces QDialog::exec for the dialog (tests pick a row through it).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <functional>

#include "clientdataset.h"
#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TBtnPesquisa : public QToolButton {
  Q_OBJECT
 public:
  explicit TBtnPesquisa(const QString& name = {}, QWidget* parent = nullptr);

  QPointer<QLineEdit> Associate;
  TDataSource* DataSource = nullptr;
  QString Title;
  QString EmptyError;
  std::function<void(QObject* sender, bool& proceed)> OnBeforePesq;
  std::function<void(QObject* sender)> OnAfterPesq;

  // Runs the lookup as a click does, without the guard: exceptions reach the caller.
  void Pesquisa();

  static std::function<int(QDialog&)> ExecHook;
};

}  // namespace margem
