// SPDX-License-Identifier: MIT
#include "workspacedriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "cli_ore01400.h"
#include "dbgrid.h"
#include "pagesheets.h"
#include "pkg_ore01400.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"

namespace testsupport {

TfrmMargemFinal* OpenWorkspace() {
  static bool initialized = false;
  if (!initialized) {
    Initialize();
    initialized = true;
  }
  IniProc();
  TfrmMargemFinal* form = Cli_ore01400::frmMargemFinal;
  if (form != nullptr) ShowActive(form);
  return form;
}

void CloseWorkspace() {
  if (Cli_ore01400::frmMargemFinal.isNull()) return;
  Cli_ore01400::frmMargemFinal->Close();
  QTRY_VERIFY_WITH_TIMEOUT(Cli_ore01400::frmMargemFinal.isNull(), 5000);
}

void EnterQuote(TfrmMargemFinal* form, const QString& number) {
  MoveFocus(form->edtNrOrcamento);
  TypeText(form->edtNrOrcamento, number);
  MoveFocus(form->dbgGrupo(1));
}

int VisibleTabs(TfrmMargemFinal* form) {
  int visible = 0;
  for (int n = 1; n <= 10; ++n) visible += margem::TabVisible(form->pgcPadrao, form->tshOpcao(n));
  return visible;
}

double Cell(TfrmMargemFinal* form, const char* prefix, int k, int n) {
  return static_cast<double>(
      form->Campo(QStringLiteral("%1%2Op%3").arg(QLatin1String(prefix)).arg(k).arg(n)));
}

}  // namespace testsupport
