// SPDX-License-Identifier: MIT
// The form description of "Margem Final": components, captions, hints, shortcuts, the message
// table, the connection and the data sets with their fields. The option sheets come from the
// template in tfrmmargemfinal_sheets.cpp.
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include "btnpesquisa.h"
#include "dbtext.h"
#include "netconnection.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_help.h"
#include "tfrmmargemfinal_sheet.h"

using margem::FieldType;

namespace {

QLabel* CaptionLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

margem::TDBText* DataText(const QString& name, margem::TDataSource* source, const QString& field,
                          QWidget* parent) {
  auto* text = new margem::TDBText(source, field, parent);
  text->setObjectName(name);
  text->setMinimumWidth(60);
  return text;
}

void AddFloat(margem::TClientDataSet* set, const QString& name, const QString& label = {},
              const QString& format = {}) {
  margem::TField* field = set->AddField(name, FieldType::Float);
  field->DisplayLabel = label;
  field->DisplayFormat = format;
}

}  // namespace

TfrmMargemFinal::TfrmMargemFinal(QWidget* parent) : margem::TfrmPadraoGrid(parent) { BuildForm(); }

TfrmMargemFinal::~TfrmMargemFinal() {
  // Controls deleted after this destructor still move the focus; this form no longer follows it.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  for (OptionSheet* sheet : m_sheets) delete sheet;
}

void TfrmMargemFinal::BuildForm() {
  setObjectName(QStringLiteral("frmMargemFinal"));
  Caption = QStringLiteral("Margem Final");
  setWindowTitle(Caption);
  lblCodTela->setText(QStringLiteral("ORE01400"));
  HelpPage = Cli_ore01400::MargemFinalHelpPage();
  resize(1200, 860);

  // A tool button of panMenu, and an entry under mnuManutencao with its shortcut.
  const auto toolButton = [this](const char* name, const QString& text, const QString& hint) {
    auto* button = new margem::TButtonFlat(QString::fromLatin1(name), panMenu);
    button->setText(text);
    button->SetHint(hint);
    AddMenuButton(button);
    return button;
  };
  const auto menuEntry = [this](const char* name, const QString& caption, QKeySequence key) {
    auto* entry = new QAction(caption, this);
    entry->setObjectName(QString::fromLatin1(name));
    AddFormShortcut(entry, key);
    mnuManutencao->addAction(entry);
    return entry;
  };
  sbtGrafico = toolButton("sbtGrafico", QStringLiteral("Gráficos"), QStringLiteral("Gráficos"));
  Grficos1 = menuEntry("Grficos1", QStringLiteral("&Gráficos"), QKeySequence(Qt::CTRL | Qt::Key_G));
  PrecoAlvo1 =
      menuEntry("PrecoAlvo1", QStringLiteral("&Preço alvo"), QKeySequence(Qt::CTRL | Qt::Key_T));
  sbtExportar = toolButton("sbtExportar", QStringLiteral("Exportar"),
                           QStringLiteral("Exportar os valores do orçamento para uma planilha"));
  mnuExportar =
      menuEntry("mnuExportar", QStringLiteral("&Exportar"), QKeySequence(Qt::CTRL | Qt::Key_E));

  msgPadrao.SetLines({QStringLiteral("Excl|Confirma exclusão?"),
                      QStringLiteral("ORCA_N_INF|Orçamento deve ser informado."),
                      QStringLiteral("ORCA_N_CAD|Orçamento não cadastrado.")});

  netMargem = new margem::TNetConnection(QStringLiteral("netMargem"), this);
  netMargem->ServerName = QStringLiteral("ORE01400.rdmMargem");
  netMargem->ThrowException = false;

  DefineDataSets();
  BuildQuotePanel();
  dbgPadrao->hide();
  for (int n = 1; n <= 10; ++n) BuildOptionSheet(n);
  // A click on an option's tab takes the focus, as a click on any other control does.
  pgcPadrao->tabBar()->setFocusPolicy(Qt::StrongFocus);
  BindHandlers();
  BindTargetPriceHandlers();
}

void TfrmMargemFinal::BuildQuotePanel() {
  panFiltro = new QFrame(this);
  panFiltro->setObjectName(QStringLiteral("panFiltro"));
  panFiltro->setFrameShape(QFrame::StyledPanel);
  auto* filter = new QHBoxLayout(panFiltro);
  filter->setContentsMargins(6, 4, 6, 4);
  lblNrOrcamento =
      CaptionLabel(QStringLiteral("lblNrOrcamento"), QStringLiteral("Nr. Orçamento"), panFiltro);
  edtNrOrcamento = new QLineEdit(panFiltro);
  edtNrOrcamento->setObjectName(QStringLiteral("edtNrOrcamento"));
  edtNrOrcamento->setMaxLength(10);
  edtNrOrcamento->setFixedWidth(110);
  lblNrOrcamento->setBuddy(edtNrOrcamento);
  btnNrOrcamento = new margem::TBtnPesquisa(QStringLiteral("btnNrOrcamento"), panFiltro);
  btnNrOrcamento->setToolTip(QStringLiteral("Pesquisar"));
  // Like the tool buttons it takes no focus: Tab from the number leaves the filter panel.
  btnNrOrcamento->setFocusPolicy(Qt::NoFocus);
  btnNrOrcamento->Associate = edtNrOrcamento;
  btnNrOrcamento->Title = QStringLiteral("Orçamento");
  btnNrOrcamento->DataSource = dtsOrca;
  btnNrOrcamento->EmptyError = QStringLiteral("Não há orçamento cadastrado.");
  filter->addWidget(lblNrOrcamento);
  filter->addWidget(edtNrOrcamento);
  filter->addWidget(btnNrOrcamento);
  filter->addStretch(1);

  panDados = new QFrame(this);
  panDados->setObjectName(QStringLiteral("panDados"));
  panDados->setFrameShape(QFrame::StyledPanel);
  auto* data = new QGridLayout(panDados);
  data->setContentsMargins(6, 4, 6, 4);
  data->setVerticalSpacing(3);
  struct Item {
    const char* label;
    const char* labelName;
    margem::TDBText** text;
    const char* name;
    const char* field;
    int row, column, span;
  };
  const Item items[] = {
      {"Cliente", "lblCliente", &dbeCliente, "dbeCliente", "NOMECLIENTE", 0, 0, 3},
      {"Serviço", "lblServico", &dbeServico, "dbeServico", "NMTPSERVEVEN", 0, 4, 3},
      {"Local", "lblLocal", &dbeLocal, "dbeLocal", "NMSALAOEVEN", 1, 0, 3},
      {"Evento", "lblEvento", &dbeEvento, "dbeEvento", "NMTIPOEVENTO", 1, 4, 3},
      {"Data/Hora do Evento", "lblDtEvento", &dbeDtEvento, "dbeDtEvento", "DTEVENTO", 2, 0, 1},
      {"Convidados", "lblQtConv", &dbeQtConv, "dbeQtConv", "QTCONVORCEVE", 2, 2, 1},
      {"Comissão", "lblComissao", &DBText2, "DBText2", "VRPEACRSALEV", 2, 4, 1},
      {"Despesa Fixa", "lblDespesaFixa", &DBText1, "DBText1", "VRPEDESFIXASERV", 2, 6, 1},
  };
  for (const Item& item : items) {
    *item.text = DataText(QString::fromLatin1(item.name), dtsVdOrca,
                          QString::fromLatin1(item.field), panDados);
    QLabel* label =
        CaptionLabel(QString::fromLatin1(item.labelName), QString::fromUtf8(item.label), panDados);
    label->setToolTip(Cli_ore01400::MeaningOf(label->text()));
    data->addWidget(label, item.row, item.column, Qt::AlignRight);
    data->addWidget(*item.text, item.row, item.column + 1, 1, item.span);
  }
  for (int column : {1, 3, 5, 7}) data->setColumnStretch(column, 1);

  BodyLayout()->insertWidget(1, panFiltro);
  BodyLayout()->insertWidget(2, panDados);
}

void TfrmMargemFinal::DefineDataSets() {
  auto dataSet = [this](const char* name) {
    return new margem::TClientDataSet(QString::fromLatin1(name), this);
  };
  auto dataSource = [this](const char* name, margem::TClientDataSet* set) {
    auto* source = new margem::TDataSource(QString::fromLatin1(name), this);
    source->SetDataSet(set);
    return source;
  };

  cdsOrca = dataSet("cdsOrca");
  margem::TField* number = cdsOrca->AddField("NRORCAEVENTO", FieldType::String, 10);
  number->DisplayLabel = QStringLiteral("Nr. Orçamento");
  number->DisplayWidth = 12;
  margem::TField* branch = cdsOrca->AddField("CDFILIAL", FieldType::String, 4);
  branch->DisplayLabel = QStringLiteral("Filial");
  branch->DisplayWidth = 6;
  dtsOrca = dataSource("dtsOrca", cdsOrca);

  cdsVdOrca = dataSet("cdsVdOrca");
  cdsVdOrca->AddField("CDFILIAL", FieldType::String, 4);
  cdsVdOrca->AddField("NRORCAEVENTO", FieldType::String, 10);
  cdsVdOrca->AddField("NRSEQORCAEVE", FieldType::String, 2)->Visible = false;
  cdsVdOrca->AddField("DTEVENTO", FieldType::DateTime);
  cdsVdOrca->AddField("NMFANTCLIE", FieldType::String, 50);
  cdsVdOrca->AddField("NMCLIEORCEVE", FieldType::String, 50);
  cdsVdOrca->AddField("NMTIPOEVENTO", FieldType::String, 30);
  cdsVdOrca->AddField("NMTPSERVEVEN", FieldType::String, 30);
  AddFloat(cdsVdOrca, "QTCONVORCEVE");
  cdsVdOrca->AddField("NMSALAOEVEN", FieldType::String, 50);
  cdsVdOrca->AddField("NOMECLIENTE", FieldType::String, 50)->Calculated = true;
  AddFloat(cdsVdOrca, "VRPEDESFIXASERV", {}, QStringLiteral("#,##0.00 %"));
  cdsVdOrca->FieldByName("VRPEDESFIXASERV")->Visible = false;
  AddFloat(cdsVdOrca, "VRPEACRSALEV", {}, QStringLiteral("#,##0.00 %"));
  dtsVdOrca = dataSource("dtsVdOrca", cdsVdOrca);

  const QString twoDecimals = QStringLiteral("#,##0.00");
  cdsItemOrca = dataSet("cdsItemOrca");
  cdsItemOrca->AddField("CDFILIAL", FieldType::String, 4);
  cdsItemOrca->AddField("NRORCAEVENTO", FieldType::String, 10);
  cdsItemOrca->AddField("NROPCAITOREV", FieldType::String, 2);
  cdsItemOrca->AddField("CDGRUPPRODREL", FieldType::String, 10);
  cdsItemOrca->AddField("CDSUBGRPRODREL", FieldType::String, 10);
  cdsItemOrca->AddField("NMSUBGRPROD", FieldType::String, 40);
  AddFloat(cdsItemOrca, "VRTOTALITEM");
  AddFloat(cdsItemOrca, "VRPEDESFIXASBGR");
  AddFloat(cdsItemOrca, "VRPEIMDEVAVEOU", QStringLiteral("% IDVV Outros"), twoDecimals);
  AddFloat(cdsItemOrca, "VRPEIMDEVAVEMP", QStringLiteral("% IDVV MP"), twoDecimals);
  cdsItemOrca->AddField("CDARVPROD", FieldType::String, 20);
  cdsItemOrca->AddField("NMPRODUTO", FieldType::String, 50)->DisplayLabel = QStringLiteral("Item");
  cdsItemOrca->AddField("SGUNIDADE", FieldType::String, 10);
  dtsItemOrca = dataSource("dtsItemOrca", cdsItemOrca);

  cdsOrcamento = dataSet("cdsOrcamento");
  cdsOrcamento->AddField("CDFILIAL", FieldType::String, 4);
  cdsOrcamento->AddField("NRORCAEVENTO", FieldType::String, 10);
  cdsOrcamento->AddField("NROPCAITOREV", FieldType::String, 2);
  AddFloat(cdsOrcamento, "VRDESCORCEVE");
  AddFloat(cdsOrcamento, "VRTOTALITEM");
  cdsOrcamento->AddField("CDGRUPPRODREL", FieldType::String, 10);
  cdsOrcamento->AddField("CDSUBGRPRODREL", FieldType::String, 10);
  cdsOrcamento->AddField("NMSUBGRPROD", FieldType::String, 40);
  AddFloat(cdsOrcamento, "VRPEIMDEVAVEMP", QStringLiteral("% IDVV MP"), twoDecimals);
  AddFloat(cdsOrcamento, "VRPEIMDEVAVEOU", QStringLiteral("% IDVV Outros"), twoDecimals);
  AddFloat(cdsOrcamento, "VRPEDESFIXASBGR");
  cdsOrcamento->AddField("IDDIFEFRETESBGR", FieldType::String, 1);
  AddFloat(cdsOrcamento, "VRFRETE");
  cdsOrcamento->AddField("IDDESCONTOSBGR", FieldType::String, 1);
  cdsOrcamento->AddField("IDFRETESBGR", FieldType::String, 1);

  cdsMargem = dataSet("cdsMargem");
  cdsMargem->AddField("CDFILIAL", FieldType::String, 4);
  cdsMargem->AddField("NRORCAEVENTO", FieldType::String, 10);
  cdsMargem->AddField("NROPCAITOREV", FieldType::String, 2);
  AddFloat(cdsMargem, "VRDESCORCEVE");
  AddFloat(cdsMargem, "VRTOTALITEM");
}
