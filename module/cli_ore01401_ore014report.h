// SPDX-License-Identifier: MIT
// The definition of report ORE014 for the report dialog. Its query declares "P_CDFILIAL" and
// "P_NRORCAEVENTO" and reads the quote's header with GetOrca over the workspace's connection; an
// empty number reads nothing (the report then shows no quote), and a branch that is given and
// differs from the quote's finds no quote either. Its rows are the report screen's cdsMargemRel.
#pragma once

#include <QPointer>
#include <functional>

#include "netconnection.h"
#include "reportdefinition.h"

namespace Cli_ore01401 {

class TOre014Report : public margem::TReportDefinition {
 public:
  // connection: the workspace's server connection at the time the report runs (may be null).
  explicit TOre014Report(std::function<margem::TNetConnection*()> connection);

  QString Title() const override;
  QStringList QueryParamNames() const override;
  std::unique_ptr<margem::TReportDocument> Run(const margem::ReportParams& params,
                                               const margem::TDataSource* rows) override;

 private:
  std::function<margem::TNetConnection*()> m_connection;
};

}  // namespace Cli_ore01401
