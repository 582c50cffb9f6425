// SPDX-License-Identifier: MIT
// What a report is to the report dialog: the parameters its query declares, and how it runs that
// query and lays out its pages from the query's result and the form's report rows.
#pragma once

#include <QStringList>
#include <memory>

#include "clientdataset.h"
#include "hostexport.h"
#include "reportdocument.h"

namespace margem {

class ReportParams;

class MARGEM_HOST_EXPORT TReportDefinition {
 public:
  virtual ~TReportDefinition() = default;
  // The title of the report ("Margem Final").
  virtual QString Title() const = 0;
  // The parameters the report's query declares; the dialog offers them, all Null, to the form.
  virtual QStringList QueryParamNames() const = 0;
  // Runs the query with the filled parameters and lays out the pages over the form's rows
  // (rows may be nullptr: no rows). A server failure ends in MensErro (SilentAbort).
  virtual std::unique_ptr<TReportDocument> Run(const ReportParams& params,
                                               const TDataSource* rows) = 0;
};

}  // namespace margem
