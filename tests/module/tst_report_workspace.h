// SPDX-License-Identifier: MIT
// The workspace the report tests print from: the real server over fixture quotes, the
// "Margem Final" screen opened as the host opens it, a quote loaded as a user types it.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "cli_ore01400.h"
#include "clientdataset.h"
#include "dbgrid.h"
#include "messagelog.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"

namespace reporttest {

// A cell of a data set's row, read without moving the cursor.
inline QVariant Cell(const margem::TClientDataSet& set, qsizetype row, const char* field) {
  return set.ValueAt(row, set.FieldByName(QLatin1String(field))->Index());
}

inline TfrmMargemFinal* OpenWorkspace() {
  Cli_ore01400::CriaMargemFinal();
  TfrmMargemFinal* workspace = Cli_ore01400::frmMargemFinal;
  if (workspace) testsupport::ShowActive(workspace);
  return workspace;
}

// Types the number into the filter and leaves the panel, which loads the quote.
inline void LoadQuote(TfrmMargemFinal* workspace, const QString& number) {
  testsupport::TypeText(workspace->edtNrOrcamento, number);
  testsupport::MoveFocus(workspace->dbgGrupo(1));
}

inline void CloseWorkspace() {
  if (TfrmMargemFinal* workspace = Cli_ore01400::frmMargemFinal) workspace->Close();
  QApplication::processEvents();
  QTest::qWait(0);
}

}  // namespace reporttest
