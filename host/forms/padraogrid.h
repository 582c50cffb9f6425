// SPDX-License-Identifier: MIT
// TfrmPadraoGrid, the base of the MDI workspace screens. Top to bottom:
//   mnuMenu (menu bar) with mnuManutencao "&Manutenção" holding mnuImprimir "&Imprimir";
//   panMenu (tool panel): sbtAjuda, sbtImprimir, sbtFechar, [buttons added by AddMenuButton],
//     then the screen-code label lblCodTela at the right;
//   pgcPadrao (page control) with its first sheet tshPadrao, which holds dbgPadrao;
//   panNavigator with dbnPadrao over dtsPadrao (no data set).
// BodyLayout() is the vertical layout of panMenu, pgcPadrao and panNavigator (indexes 0, 1, 2): a
// derived form inserts its panels between them. sbtFechar closes the form; sbtAjuda (F1) opens
// the screen's help page (HelpPage) in a help window, or names the screen when it has none;
// mnuImprimir (Ctrl+P) clicks sbtImprimir. The print entry's enabled state is the derived form's:
// it mirrors sbtImprimir when the derived form sets it. The shortcuts work anywhere in the form.
#pragma once

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "buttonflat.h"
#include "clientdataset.h"
#include "dbgrid.h"
#include "dbnavigator.h"
#include "forms/form.h"
#include "hostexport.h"
#include "messages.h"

namespace margem {

class MARGEM_HOST_EXPORT TfrmPadraoGrid : public TForm {
  Q_OBJECT
 public:
  explicit TfrmPadraoGrid(QWidget* parent = nullptr);

  QMenuBar* mnuMenu;
  QMenu* mnuManutencao;
  QAction* mnuImprimir;
  QFrame* panMenu;
  TButtonFlat* sbtAjuda;
  TButtonFlat* sbtImprimir;
  TButtonFlat* sbtFechar;
  QLabel* lblCodTela;
  QTabWidget* pgcPadrao;
  QWidget* tshPadrao;
  TDBGrid* dbgPadrao;
  QFrame* panNavigator;
  TDBNavigator* dbnPadrao;
  TDataSource* dtsPadrao;
  TMessages msgPadrao;
  TMessages msgMensagensPadroes;
  QString HelpPage;  // the screen's help page, HTML; empty: "Ajuda" names the screen

  QVBoxLayout* BodyLayout() const { return m_body; }
  QVBoxLayout* SheetLayout(QWidget* sheet) const;  // the layout of a sheet made by AddSheet
  // Adds a tool button to panMenu after the inherited ones.
  void AddMenuButton(TButtonFlat* button);
  // Adds a sheet (a page of pgcPadrao) with a vertical layout; returns it.
  QWidget* AddSheet(const QString& name, const QString& caption);
  // Makes an action's shortcut work anywhere inside the form.
  void AddFormShortcut(QAction* action, const QKeySequence& shortcut);

 private:
  QVBoxLayout* m_body;
  QHBoxLayout* m_menuButtons;
};

}  // namespace margem
