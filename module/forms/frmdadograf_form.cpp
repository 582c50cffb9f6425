// SPDX-License-Identifier: MIT
// The form description of "Gráficos": components, captions, positions, message table and the
// field lists of the data sets.
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>

#include "dateeditplus.h"
#include "narrowfont.h"
#include "tfrmdadograf.h"

namespace {

// A titled frame whose title sits on its top line, so that children placed from the top of the
// box (a radio button at 16) stand inside the frame.
QGroupBox* MakeGroup(const QString& name, const QString& title, const QRect& geometry,
                     QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  group->setGeometry(geometry);
  QFont font = group->font();
  font.setBold(true);
  font.setPixelSize(11);
  group->setFont(font);
  group->setStyleSheet(
      QStringLiteral("QGroupBox#%1 { border: 1px solid palette(mid); margin-top: 6px; }"
                     "QGroupBox#%1::title { subcontrol-origin: margin; left: 6px; top: 0px;"
                     " padding: 0 2px; }")
          .arg(name));
  return group;
}

// Children of a bold group box keep the normal weight.
void UseNormalWeight(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(false);
  widget->setFont(font);
}

// A text wider than its place (the screen's fonts run wider than the ones its positions were
// drawn for) is narrowed until it fits, so it shows whole.
void NarrowToFit(QWidget* widget) {
  widget->setFont(margem::NarrowedToFit(widget->font(), 75, [widget](const QFont& font) {
    widget->setFont(font);
    return widget->sizeHint().width() <= widget->width();
  }));
}

QRadioButton* MakeRadio(const QString& name, const QString& text, const QRect& geometry,
                        QWidget* parent) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(name);
  radio->setGeometry(geometry);
  UseNormalWeight(radio);
  NarrowToFit(radio);
  return radio;
}

QLabel* MakeLabel(const QString& name, const QString& text, const QRect& geometry,
                  QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  UseNormalWeight(label);
  return label;
}

margem::TDateEditPlus* MakeDateEdit(const QString& name, const QRect& geometry, QWidget* parent) {
  auto* edit = new margem::TDateEditPlus(name, parent);
  edit->setGeometry(geometry);
  UseNormalWeight(edit);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE1));  // info background
  edit->setPalette(palette);
  edit->SetValidDateColor(Qt::blue);
  edit->NomeSemana = {QStringLiteral("Domingo"), QStringLiteral("Segunda"), QStringLiteral("Terça"),
                      QStringLiteral("Quarta"),  QStringLiteral("Quinta"),  QStringLiteral("Sexta"),
                      QStringLiteral("Sábado")};
  return edit;
}

}  // namespace

void TfrmDadoGraf::BuildForm() {
  setObjectName(QStringLiteral("frmDadoGraf"));
  Caption = QStringLiteral("Gráficos");
  Position = QPoint(297, 281);

  grbDadoGraf = MakeGroup(QStringLiteral("grbDadoGraf"), QStringLiteral("Gráficos"),
                          QRect(4, 7, 371, 72), grbDadosRel);
  rbtGrafGrup =
      MakeRadio(QStringLiteral("rbtGrafGrup"), QStringLiteral("Percentual de Lucro por Grupo"),
                QRect(6, 16, 351, 17), grbDadoGraf);
  rbtPercGrupxMedPer =
      MakeRadio(QStringLiteral("rbtPercGrupxMedPer"),
                QStringLiteral("Comparativo do Percentual de Lucro X Média do Período"),
                QRect(6, 46, 353, 17), grbDadoGraf);
  rbtGrafGrup->setChecked(true);

  grbDtInclu = MakeGroup(QStringLiteral("grbDtInclu"), QStringLiteral("Data de Inclusão"),
                         QRect(4, 79, 155, 67), grbDadosRel);
  lblDe =
      MakeLabel(QStringLiteral("lblDe"), QStringLiteral("De"), QRect(6, 19, 17, 13), grbDtInclu);
  lblAte =
      MakeLabel(QStringLiteral("lblAte"), QStringLiteral("Até"), QRect(6, 43, 20, 13), grbDtInclu);
  depDeDtInc = MakeDateEdit(QStringLiteral("depDeDtInc"), QRect(34, 16, 115, 21), grbDtInclu);
  depAteDtInc = MakeDateEdit(QStringLiteral("depAteDtInc"), QRect(34, 40, 115, 21), grbDtInclu);

  setTabOrder(rbtGrafGrup, rbtPercGrupxMedPer);
  setTabOrder(rbtPercGrupxMedPer, depDeDtInc);
  setTabOrder(depDeDtInc, depAteDtInc);

  msgPadrao.SetLines({
      QStringLiteral("depDeDtInc_inf|Data inicial da inclusão deve ser informada."),
      QStringLiteral("depAteDtInc_inf|Data final da inclusão deve ser informada."),
      QStringLiteral("DtIni>DtFin|Data inicial da inclusão deve ser menor ou igual a data final."),
      QStringLiteral("Dt<0|A data deve ser maior que 30/12/1899."),
      QStringLiteral("Opc|Opção"),
      QStringLiteral("Media|Média"),
      QStringLiteral("N_Orca|Não há orçamento cadastrado para o período informado."),
  });
}

void TfrmDadoGraf::DefineDataSets() {
  const auto makeSet = [this](const QString& name, void (*define)(margem::TClientDataSet&)) {
    auto* set = new margem::TClientDataSet(name, this);
    define(*set);
    return set;
  };
  cdsOrcamento = makeSet(QStringLiteral("cdsOrcamento"), margem::DefineMarginRowFields);
  cdsPercLucrGrup = makeSet(QStringLiteral("cdsPercLucrGrup"), margem::DefinePercLucrGrupFields);
  cdsMediaOrca = makeSet(QStringLiteral("cdsMediaOrca"), margem::DefineMediaOrcaFields);
  cdsValorOpc = makeSet(QStringLiteral("cdsValorOpc"), margem::DefineValorOpcFields);
  cdsAuxMediaOrca = makeSet(QStringLiteral("cdsAuxMediaOrca"), margem::DefineAuxMediaOrcaFields);
  cdsMarTLuc = makeSet(QStringLiteral("cdsMarTLuc"), margem::DefineMarTLucFields);
  cdsPercTLuc = makeSet(QStringLiteral("cdsPercTLuc"), margem::DefinePercTLucFields);

  dtsPercLucrGrup = new margem::TDataSource(QStringLiteral("dtsPercLucrGrup"), this);
  dtsPercLucrGrup->SetDataSet(cdsPercLucrGrup);
}
