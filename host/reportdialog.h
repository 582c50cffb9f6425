// SPDX-License-Identifier: MIT
// The report dialog of the report screens and its query parameters.
//
// A report screen gives its dialog the report to run (SetReport), its report rows (DataSource)
// and a BeforeGetQueryParams handler. Each preview, print or PDF export then asks the form for
// the query's parameter values (the flag passed with them starts true; a handler that clears it
// stops the run), runs the report's query and lays out the pages anew, so the output always shows
// the form's data at that moment. Failures end in a Portuguese message through MensErro.
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

#include "clientdataset.h"
#include "hostexport.h"
#include "reportdefinition.h"
#include "reportdocument.h"

class QWidget;

namespace margem {

class TfrmDadosGerRel;

// The named parameters of a report's query. Names compare without regard to letter case.
class MARGEM_HOST_EXPORT ReportParams {
 public:
  ReportParams() = default;
  explicit ReportParams(const QStringList& names);  // declared parameters, all Null

  bool ExistParam(const QString& name) const;
  void AddParam(const QString& name, const QVariant& value = {});
  // Sets a declared parameter; std::out_of_range naming it when the query has no such parameter.
  void SetParam(const QString& name, const QVariant& value);
  QVariant Param(const QString& name) const;  // invalid QVariant when absent or Null
  QStringList Names() const;

 private:
  int indexOf(const QString& name) const;
  QList<QPair<QString, QVariant>> m_params;
};

MARGEM_HOST_EXPORT bool ExistParam(const ReportParams& params, const QString& name);

class MARGEM_HOST_EXPORT TReportDesignerDialog : public QObject {
  Q_OBJECT
 public:
  explicit TReportDesignerDialog(const QString& name = {}, QObject* parent = nullptr);
  ~TReportDesignerDialog() override;

  QString ReportCode;  // the report this dialog runs ("ORE014")
  QString FileName;    // the name "Salvar PDF" suggests, without ".pdf"; empty: ReportCode
  std::function<void(ReportParams& params, bool& flag)> BeforeGetQueryParams;
  QPointer<TDataSource> DataSource;  // the form's report rows

  void SetReport(std::shared_ptr<TReportDefinition> report);

  // Fills params through BeforeGetQueryParams; returns the flag as the handler left it.
  bool GetQueryParams(ReportParams& params);

  // Asks for the parameters, runs the query and lays out the pages. nullptr when the handler
  // cleared the flag. No report set: MensErro.
  std::unique_ptr<TReportDocument> Prepare();

  void Preview();  // Qt's print preview, modal over the form
  bool Print();    // the print dialog, then the printer; false when cancelled or failed
  // Writes the report as a PDF file and says where in the status bar. A file that cannot be
  // written shows "Não foi possível gravar o arquivo PDF …" and returns false.
  bool SavePdf(const QString& path);
  // Asks for a file name ("Salvar PDF", starting in the last folder a PDF went to, FileName
  // suggested), then SavePdf; false when the user cancelled.
  bool AskSavePdf();

  // Wires a report screen to this dialog: its "Visualizar" and "Imprimir" requests run Preview
  // and Print, and a "Salvar PDF" button (sbtSalvarPdf) joins its tool panel. The handlers run
  // inside the framework's guard.
  void AttachTo(TfrmDadosGerRel& form);

 private:
  QWidget* DialogParent() const;
  QString WindowTitle() const;
  std::shared_ptr<TReportDefinition> m_report;
};

}  // namespace margem
