// SPDX-License-Identifier: MIT
// The form description of "Preço Alvo": the target's kind, value and scenario at the top, the
// three columns of figures below, the two sentences under them, and the side panel with
// "Aplicar" at the top and "Fechar" at the bottom.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "buttonflat.h"
#include "forms/toolpanel.h"
#include "laddercaptions.h"
#include "numberedit.h"
#include "tfrmprecoalvo.h"

namespace {

const char* const kRowPrefixes[5] = {"edtVr", "edtPs", "edtLu", "edtPl", "edtDi"};
const char* const kColumnCaptions[3] = {"Preço Alvo", "Equilíbrio", "Equilíbrio Diferenciado"};
const char* const kColumnSuffixes[3] = {"Alvo", "Equil", "EquilDif"};

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// A figure as the ladder's read-only cells show it: right-aligned on the button face, out of the
// Tab order.
QLineEdit* MakeCell(const QString& name, QWidget* parent) {
  auto* cell = new QLineEdit(parent);
  cell->setObjectName(name);
  cell->setReadOnly(true);
  cell->setFocusPolicy(Qt::NoFocus);
  cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cell->setMinimumWidth(120);
  QPalette colours = cell->palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::Button));
  cell->setPalette(colours);
  return cell;
}

}  // namespace

void TfrmPrecoAlvo::BuildForm() {
  setObjectName(QStringLiteral("frmPrecoAlvo"));
  Caption = QStringLiteral("Preço Alvo - Opção %1").arg(m_option);
  auto* whole = new QHBoxLayout(this);
  whole->setContentsMargins(0, 0, 0, 0);
  whole->setSpacing(0);

  auto* panDados = new QFrame(this);
  panDados->setObjectName(QStringLiteral("panDados"));
  panDados->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panDados);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);

  cboTipoAlvo = new QComboBox(panDados);
  cboTipoAlvo->setObjectName(QStringLiteral("cboTipoAlvo"));
  for (const char* kind : kKindNames) cboTipoAlvo->addItem(QString::fromUtf8(kind));
  nedAlvo = new margem::TNumberEdit(QStringLiteral("nedAlvo"), panDados);
  nedAlvo->setMinimumWidth(120);
  cboCenario = new QComboBox(panDados);
  cboCenario->setObjectName(QStringLiteral("cboCenario"));
  for (int k = 2; k <= 5; ++k) cboCenario->addItem(QString::fromUtf8(kScenarioCaptions[k - 1]));
  cboCenario->setCurrentIndex(3);

  QLabel* lblTipoAlvo = MakeLabel(QStringLiteral("lblTipoAlvo"), QStringLiteral("Alvo"), panDados);
  lblTipoAlvo->setBuddy(cboTipoAlvo);
  QLabel* lblCenario =
      MakeLabel(QStringLiteral("lblCenario"), QStringLiteral("Cenário a preencher"), panDados);
  lblCenario->setBuddy(cboCenario);
  grid->addWidget(lblTipoAlvo, 0, 0);
  grid->addWidget(cboTipoAlvo, 0, 1);
  grid->addWidget(nedAlvo, 0, 2);
  grid->addWidget(lblCenario, 1, 0);
  grid->addWidget(cboCenario, 1, 1);

  constexpr int kFirstRow = 3;
  for (int column = 0; column < 3; ++column) {
    QLabel* heading =
        MakeLabel(QStringLiteral("lblColuna") + QString::fromLatin1(kColumnSuffixes[column]),
                  QString::fromUtf8(kColumnCaptions[column]), panDados);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, kFirstRow - 1, column + 1);
    for (int row = 0; row < 5; ++row) {
      cells[column][row] = MakeCell(
          QString::fromLatin1(kRowPrefixes[row]) + QString::fromLatin1(kColumnSuffixes[column]),
          panDados);
      grid->addWidget(cells[column][row], kFirstRow + row, column + 1);
    }
  }
  for (int row = 0; row < 5; ++row) {
    grid->addWidget(MakeLabel(QStringLiteral("lblLinha%1").arg(row + 1),
                              QString::fromUtf8(kLadderCaptions[row]), panDados),
                    kFirstRow + row, 0);
  }
  grid->setRowMinimumHeight(kFirstRow - 2, 8);

  lblMensagem = MakeLabel(QStringLiteral("lblMensagem"), {}, panDados);
  lblMensagem->setWordWrap(true);
  QPalette warning = lblMensagem->palette();
  warning.setColor(QPalette::WindowText, QColor(0x99, 0x00, 0x00));
  lblMensagem->setPalette(warning);
  lblEquilibrio = MakeLabel(QStringLiteral("lblEquilibrio"), {}, panDados);
  lblEquilibrio->setWordWrap(true);
  // Room for two lines each, so that the fixed-size dialog never cuts a sentence.
  for (QLabel* label : {lblMensagem, lblEquilibrio})
    label->setMinimumHeight(2 * label->fontMetrics().lineSpacing());
  grid->addWidget(lblMensagem, kFirstRow + 5, 0, 1, 4);
  grid->addWidget(lblEquilibrio, kFirstRow + 6, 0, 1, 4);
  whole->addWidget(panDados, 1);

  QFrame* panMenu = margem::MakeToolPanel(QStringLiteral("panMenu"), this);
  auto* side = new QVBoxLayout(panMenu);
  side->setContentsMargins(2, 4, 2, 4);
  sbtAplicar = margem::MakeSideButton(QStringLiteral("sbtAplicar"), QStringLiteral("Aplicar"),
                                      QStringLiteral("dialog-ok-apply"),
                                      QStyle::SP_DialogApplyButton, panMenu);
  sbtFechar =
      margem::MakeSideButton(QStringLiteral("sbtFechar"), QStringLiteral("Fechar"),
                             QStringLiteral("window-close"), QStyle::SP_DialogCloseButton, panMenu);
  side->addWidget(sbtAplicar);
  side->addStretch(1);
  side->addWidget(sbtFechar);
  panMenu->setFixedWidth(64);
  whole->addWidget(panMenu);

  setTabOrder(cboTipoAlvo, nedAlvo);
  setTabOrder(nedAlvo, cboCenario);
  setTabOrder(cboCenario, sbtAplicar);
  setTabOrder(sbtAplicar, sbtFechar);
  setFixedSize(sizeHint().expandedTo(QSize(640, 0)));
}
