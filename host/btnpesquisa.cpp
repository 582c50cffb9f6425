// SPDX-License-Identifier: MIT
#include "btnpesquisa.h"

#include <QIcon>
#include <QStyle>

#include "guard.h"
#include "lookupdialog.h"
#include "mensErro.h"

namespace margem {

std::function<int(QDialog&)> TBtnPesquisa::ExecHook;

TBtnPesquisa::TBtnPesquisa(const QString& name, QWidget* parent) : QToolButton(parent) {
  setObjectName(name);
  setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                           style()->standardIcon(QStyle::SP_FileDialogContentsView)));
  setToolTip(QStringLiteral("Pesquisar"));
  connect(this, &QToolButton::clicked, this, [this] { Guarded(this, [this] { Pesquisa(); }); });
}

void TBtnPesquisa::Pesquisa() {
  bool proceed = true;
  if (OnBeforePesq) OnBeforePesq(this, proceed);
  if (!proceed) return;
  TClientDataSet* set = DataSource ? DataSource->DataSet() : nullptr;
  if (!set || !set->Active() || set->IsEmpty())
    MensErro(EmptyError.isEmpty() ? QStringLiteral("Não há registros para pesquisar.") : EmptyError);

  TLookupDialog dialog(set, Title, window());
  const int result = ExecHook ? ExecHook(dialog) : dialog.exec();
  if (result != QDialog::Accepted || dialog.PickedRow() < 0) return;
  set->MoveTo(dialog.PickedRow());
  if (OnAfterPesq) OnAfterPesq(this);
  if (Associate) Associate->setFocus();
}

}  // namespace margem
