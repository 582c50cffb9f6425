// SPDX-License-Identifier: MIT
#include "reportdialog.h"

#include <QBoxLayout>
#include <QDir>
#include <stdexcept>

#include "buttonflat.h"
#include "forms/dadosgerrel.h"
#include "forms/toolpanel.h"
#include "guard.h"
#include "mensErro.h"
#include "reportoutput.h"
#include "savefiledialog.h"
#include "statusmessage.h"

namespace margem {

ReportParams::ReportParams(const QStringList& names) {
  for (const QString& name : names) AddParam(name);
}

int ReportParams::indexOf(const QString& name) const {
  for (int i = 0; i < m_params.size(); ++i)
    if (m_params[i].first.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool ReportParams::ExistParam(const QString& name) const { return indexOf(name) >= 0; }

void ReportParams::AddParam(const QString& name, const QVariant& value) {
  const int i = indexOf(name);
  if (i >= 0)
    m_params[i].second = value;
  else
    m_params.append({name, value});
}

void ReportParams::SetParam(const QString& name, const QVariant& value) {
  const int i = indexOf(name);
  if (i < 0)
    throw std::out_of_range(
        QStringLiteral("O relatório não tem o parâmetro \"%1\".").arg(name).toStdString());
  m_params[i].second = value;
}

QVariant ReportParams::Param(const QString& name) const {
  const int i = indexOf(name);
  return i < 0 ? QVariant() : m_params[i].second;
}

QStringList ReportParams::Names() const {
  QStringList names;
  for (const auto& param : m_params) names.append(param.first);
  return names;
}

bool ExistParam(const ReportParams& params, const QString& name) { return params.ExistParam(name); }

TReportDesignerDialog::TReportDesignerDialog(const QString& name, QObject* parent)
    : QObject(parent) {
  setObjectName(name);
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

void TReportDesignerDialog::SetReport(std::shared_ptr<TReportDefinition> report) {
  m_report = std::move(report);
}

bool TReportDesignerDialog::GetQueryParams(ReportParams& params) {
  bool flag = true;
  if (BeforeGetQueryParams) BeforeGetQueryParams(params, flag);
  return flag;
}

std::unique_ptr<TReportDocument> TReportDesignerDialog::Prepare() {
  if (!m_report) MensErro(QStringLiteral("O relatório %1 não está disponível.").arg(ReportCode));
  ReportParams params(m_report->QueryParamNames());
  if (!GetQueryParams(params)) return nullptr;
  return m_report->Run(params, DataSource.data());
}

void TReportDesignerDialog::Preview() {
  const std::unique_ptr<TReportDocument> document = Prepare();
  if (document) PreviewReport(*document, WindowTitle(), DialogParent());
}

bool TReportDesignerDialog::Print() {
  const std::unique_ptr<TReportDocument> document = Prepare();
  return document && PrintReport(*document, WindowTitle(), DialogParent());
}

bool TReportDesignerDialog::SavePdf(const QString& path) {
  const std::unique_ptr<TReportDocument> document = Prepare();
  if (!document) return false;
  if (SaveReportPdf(*document, WindowTitle(), path)) {
    ShowFileSaved(path);
    return true;
  }
  MensErro(QStringLiteral("Não foi possível gravar o arquivo PDF em %1. Verifique se a pasta "
                          "existe e se você pode gravar nela.")
               .arg(QDir::toNativeSeparators(path)),
           false);
  return false;
}

bool TReportDesignerDialog::AskSavePdf() {
  const QString name = (FileName.isEmpty() ? ReportCode : FileName) + QStringLiteral(".pdf");
  const QString path =
      AskSaveFileName(DialogParent(), QStringLiteral("pdf"), QStringLiteral("Salvar PDF"), name,
                      {QStringLiteral("Arquivos PDF (*.pdf)")});
  return !path.isEmpty() && SavePdf(path);
}

void TReportDesignerDialog::AttachTo(TfrmDadosGerRel& form) {
  QWidget* context = &form;
  connect(&form, &TfrmDadosGerRel::previewRequested, this,
          [this, context]() { Guarded(context, [this]() { Preview(); }); });
  connect(&form, &TfrmDadosGerRel::printRequested, this,
          [this, context]() { Guarded(context, [this]() { Print(); }); });

  TButtonFlat* save =
      MakeToolButton(QStringLiteral("sbtSalvarPdf"), QStringLiteral("Salvar PDF"),
                     QStringLiteral("Salvar o relatório em um arquivo PDF"),
                     QStringLiteral("document-save"), QStyle::SP_DialogSaveButton, form.panMenu);
  connect(save, &TButtonFlat::clicked, this,
          [this, context]() { Guarded(context, [this]() { AskSavePdf(); }); });
  if (auto* layout = qobject_cast<QBoxLayout*>(form.panMenu->layout()))
    layout->insertWidget(layout->indexOf(form.sbtImprimir) + 1, save);
}

QWidget* TReportDesignerDialog::DialogParent() const {
  auto* widget = qobject_cast<QWidget*>(parent());
  return widget ? widget->window() : nullptr;
}

QString TReportDesignerDialog::WindowTitle() const {
  const QString title = m_report ? m_report->Title() : QString();
  return title.isEmpty() ? ReportCode : QStringLiteral("%1 · %2").arg(title, ReportCode);
}

}  // namespace margem
