// SPDX-License-Identifier: MIT
// The report dialog of the report screens and its query parameters. The dialog asks its form for
// the query's parameter values through BeforeGetQueryParams before the report's query runs; the
// flag passed with them belongs to the dialog and starts true.
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>
#include <functional>

#include "hostexport.h"

namespace margem {

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

  QString ReportCode;  // the report this dialog runs ("ORE014")
  std::function<void(ReportParams& params, bool& flag)> BeforeGetQueryParams;

  // Fills params through BeforeGetQueryParams; returns the flag as the handler left it.
  bool GetQueryParams(ReportParams& params);
};

}  // namespace margem
