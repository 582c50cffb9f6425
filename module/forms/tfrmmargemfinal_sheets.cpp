// SPDX-License-Identifier: MIT
// The template of one option sheet of "Margem Final": inside a scroll box, the product grid, the
// five-by-five scenario panel and the subgroup grid, every control named after its row prefix,
// the scenario k and the option n (nedVr3Op10).
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "pagesheets.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_help.h"
#include "tfrmmargemfinal_sheet.h"

using Cli_ore01400::MeaningOf;
using margem::TColumn;

namespace {

// Row prefixes of the ladder, in LadderRow order.
constexpr const char* kLadderPrefixes[5] = {"nedVr", "nedPs", "nedLu", "nedPL", "nedDi"};

QString Suffix(int k, int n) { return QStringLiteral("%1Op%2").arg(k).arg(n); }

// The columns of the subgroup grid; titles are the fields' labels, hints their meanings.
QList<TColumn> GrupoColumns() {
  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  const auto hint = [](const char* title) { return MeaningOf(QString::fromUtf8(title)); };
  return {{QStringLiteral("NMSUBGRPROD"), {}, 170, Qt::AlignLeft | Qt::AlignVCenter, hint("Grupo")},
          {QStringLiteral("VRTOTALITEM"), {}, 80, right, hint("Vr. Venda")},
          {QStringLiteral("VRPEIMDEVAVEMP"), {}, 80, right, hint("% IDVV MP")},
          {QStringLiteral("VRPEIMDEVAVEOU"), {}, 80, right, hint("% IDVV Outros")},
          {QStringLiteral("VRPEDESFIXASBGR"), {}, 80, right, hint("% Despesa")},
          {QStringLiteral("VRPELUCRO"), {}, 80, right, hint("% Lucro")},
          {QStringLiteral("VRLUCRO"), {}, 80, right, hint("Vr. Lucro")}};
}

void DefineOpcaoFields(margem::TClientDataSet& set) {
  using margem::FieldType;
  set.AddField(QStringLiteral("CDFILIAL"), FieldType::String, 4);
  set.AddField(QStringLiteral("NRORCAEVENTO"), FieldType::String, 10);
  set.AddField(QStringLiteral("NROPCAITOREV"), FieldType::String, 2);
  set.AddField(QStringLiteral("CDARVPROD"), FieldType::String, 20);
  set.AddField(QStringLiteral("NMPRODUTO"), FieldType::String, 50)->DisplayLabel =
      QStringLiteral("Item");
  set.AddField(QStringLiteral("SGUNIDADE"), FieldType::String, 10);
}

}  // namespace

void TfrmMargemFinal::BuildOptionSheet(int n) {
  auto* sheet = new OptionSheet;
  m_sheets[n - 1] = sheet;
  const QString number = QString::number(n);
  const QString caption = QStringLiteral("Opção ") + number;
  if (n == 1) {
    sheet->tsh = tshPadrao;
    pgcPadrao->setTabText(pgcPadrao->indexOf(tshPadrao), caption);
  } else {
    sheet->tsh = AddSheet(QStringLiteral("tshOpcao") + number, caption);
  }

  sheet->cdsOpcao = new margem::TClientDataSet(QStringLiteral("cdsOpcao") + number, this);
  DefineOpcaoFields(*sheet->cdsOpcao);
  sheet->dtsOpcao = new margem::TDataSource(QStringLiteral("dtsOpcao") + number, this);
  sheet->dtsOpcao->SetDataSet(sheet->cdsOpcao);
  sheet->cdsGrupo = new margem::TClientDataSet(QStringLiteral("cdsGrupo") + number, this);
  margem::DefineGrupoFields(*sheet->cdsGrupo);
  sheet->dtsGrupo = new margem::TDataSource(QStringLiteral("dtsGrupo") + number, this);
  sheet->dtsGrupo->SetDataSet(sheet->cdsGrupo);

  auto* scroll = new QScrollArea(sheet->tsh);
  scroll->setObjectName(QStringLiteral("scbOpcao") + number);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  // The box scrolls only when the sheet is lower than the ladder and a few rows of each grid:
  // above that the grids take the height, the subgroups three parts to the products' one.
  auto* content = new QWidget(scroll);
  auto* column = new QVBoxLayout(content);
  column->setContentsMargins(4, 4, 4, 4);

  sheet->dbgOpcao = new margem::TDBGrid(QStringLiteral("dbgOpcao") + number, content);
  sheet->dbgOpcao->SetDataSource(sheet->dtsOpcao);
  sheet->dbgOpcao->SetColumns({{QStringLiteral("NMPRODUTO"),
                                QStringLiteral("Item"),
                                400,
                                Qt::AlignLeft | Qt::AlignVCenter,
                                {}}});
  sheet->dbgOpcao->setMinimumHeight(sheet->dbgOpcao->HeightForRows(2));
  column->addWidget(sheet->dbgOpcao, 1);

  sheet->panOpcao = new QFrame(content);
  sheet->panOpcao->setObjectName(QStringLiteral("panOpcao") + number);
  sheet->panOpcao->setFrameShape(QFrame::StyledPanel);
  sheet->panOpcao->setEnabled(false);  // nothing to compute until a quote is loaded
  auto* matrix = new QGridLayout(sheet->panOpcao);
  matrix->setContentsMargins(6, 4, 6, 4);
  matrix->setHorizontalSpacing(6);
  matrix->setVerticalSpacing(2);

  sheet->sbtVerOpcao =
      new margem::TButtonFlat(QStringLiteral("sbtVerOpcao") + number, sheet->panOpcao);
  sheet->sbtVerOpcao->setText(QStringLiteral("Ver Opção"));
  sheet->sbtVerOpcao->setCheckable(true);
  matrix->addWidget(sheet->sbtVerOpcao, 0, 0);

  sheet->scenarioGroup = new QButtonGroup(sheet->panOpcao);
  sheet->scenarioGroup->setExclusive(true);
  for (int k = 1; k <= 5; ++k) {
    auto* heading = new QLabel(QString::fromUtf8(kScenarioCaptions[k - 1]), sheet->panOpcao);
    heading->setObjectName(QStringLiteral("lblValor%1Op%2").arg(k).arg(n));
    heading->setAlignment(Qt::AlignCenter);
    heading->setToolTip(MeaningOf(heading->text()));
    matrix->addWidget(heading, 0, k);

    auto* button = new margem::TButtonFlat(QStringLiteral("sbtVr") + Suffix(k, n), sheet->panOpcao);
    button->setText(QString::fromUtf8(kScenarioCaptions[k - 1]));
    button->setCheckable(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->Tag = k;
    button->SetHint(QStringLiteral("Mostra este cenário na grade de subgrupos"));
    sheet->scenarioGroup->addButton(button, k);
    sheet->sbtVr[k - 1] = button;
    matrix->addWidget(button, 6, k);
  }

  for (int row = 0; row < 5; ++row) {
    auto* label = new QLabel(QString::fromUtf8(kLadderCaptions[row]), sheet->panOpcao);
    label->setObjectName(QStringLiteral("lblLinha%1Op%2").arg(row + 1).arg(n));
    label->setToolTip(MeaningOf(label->text()));
    matrix->addWidget(label, row + 1, 0);
    for (int k = 1; k <= 5; ++k) {
      const QString name = QString::fromLatin1(kLadderPrefixes[row]) + Suffix(k, n);
      auto* edit = new margem::TNumberEdit(name, sheet->panOpcao);
      edit->Currency = false;
      edit->Thousands = true;
      edit->Decimals = 2;
      edit->Reformat();
      edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      edit->setMinimumWidth(100);
      const bool editable = k > 1 && row <= static_cast<int>(margem::LadderRow::PerGuest);
      edit->setEnabled(editable);
      sheet->ladder[row][k - 1] = edit;
      matrix->addWidget(edit, row + 1, k);
    }
  }
  // After the ladder's edits in the Tab order.
  sheet->sbtPrecoAlvo =
      new margem::TButtonFlat(QStringLiteral("sbtPrecoAlvo") + number, sheet->panOpcao);
  sheet->sbtPrecoAlvo->setText(QStringLiteral("Preço alvo"));
  sheet->sbtPrecoAlvo->SetHint(
      QStringLiteral("O valor total que dá o lucro desejado, e o ponto de equilíbrio (Ctrl+T)"));
  sheet->sbtPrecoAlvo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  matrix->addWidget(sheet->sbtPrecoAlvo, 6, 0);
  matrix->setColumnStretch(6, 1);
  column->addWidget(sheet->panOpcao);

  sheet->dbgGrupo = new margem::TDBGrid(QStringLiteral("dbgGrupo") + number, content);
  sheet->dbgGrupo->SetDataSource(sheet->dtsGrupo);
  sheet->dbgGrupo->SetColumns(GrupoColumns());
  sheet->dbgGrupo->setMinimumHeight(sheet->dbgGrupo->HeightForRows(3));
  column->addWidget(sheet->dbgGrupo, 3);

  scroll->setWidget(content);
  QLayout* sheetLayout = sheet->tsh->layout();
  if (sheetLayout == nullptr) sheetLayout = new QVBoxLayout(sheet->tsh);
  sheetLayout->setContentsMargins(0, 0, 0, 0);
  sheetLayout->addWidget(scroll);
}
