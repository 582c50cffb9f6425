// SPDX-License-Identifier: MIT
#include "cli_ore01401_ore014report.h"

#include <QCoreApplication>
#include <QDateTime>

#include "checkresultserv.h"
#include "cli_ore01401_ore014.h"
#include "mensErro.h"
#include "reportdialog.h"

namespace Cli_ore01401 {

namespace {

// The company line over the title: the host's organization name when it has one.
QString CompanyLine() {
  const QString name = QCoreApplication::organizationName();
  return name.isEmpty() ? QStringLiteral("Orçamentos de Eventos · Análise de Margem") : name;
}

}  // namespace

TOre014Report::TOre014Report(std::function<margem::TNetConnection*()> connection)
    : m_connection(std::move(connection)) {}

QString TOre014Report::Title() const { return QStringLiteral("Margem Final"); }

QStringList TOre014Report::QueryParamNames() const {
  return {QStringLiteral("P_CDFILIAL"), QStringLiteral("P_NRORCAEVENTO")};
}

std::unique_ptr<margem::TReportDocument> TOre014Report::Run(const margem::ReportParams& params,
                                                            const margem::TDataSource* rows) {
  Ore014Data data;
  data.companyLine = CompanyLine();
  data.printedAt = QDateTime::currentDateTime();

  const QString number = params.Param(QStringLiteral("P_NRORCAEVENTO")).toString().trimmed();
  const QString branch = params.Param(QStringLiteral("P_CDFILIAL")).toString().trimmed();
  if (!number.isEmpty()) {
    margem::TNetConnection* connection = m_connection ? m_connection() : nullptr;
    if (!connection)
      margem::MensErro(QStringLiteral(
          "A Margem Final foi fechada: não há conexão com o servidor de aplicação para o "
          "relatório."));
    const margem::ServerValue reply =
        margem::CheckResultServ(connection->Call(QStringLiteral("GetOrca"), {number}), true, 0);
    margem::TClientDataSet quote;
    if (!reply.IsNull()) quote.LoadPacket(reply.Packet());
    data.header = Ore014HeaderFrom(quote);
    if (!branch.isEmpty() && data.header.branch != branch) data.header = Ore014Header();
  }
  if (rows && rows->DataSet()) data.options = Ore014OptionsFrom(*rows->DataSet());
  return std::make_unique<TOre014Document>(std::move(data));
}

}  // namespace Cli_ore01401
