// SPDX-License-Identifier: MIT
// Loads one quote of ten options, forty subgroups each and five hundred items into "Margem
// Final" again and again, offscreen, and prints the median time from leaving the filter panel to
// all ten tabs filled and painted (load_quote_ms), beside the bare GetMargem call it includes
// (getmargem_call_ms).
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "checkresultserv.h"
#include "messagelog.h"
#include "netconnection.h"
#include "quotegenerator.h"
#include "serverfixture.h"
#include "tfrmmargemfinal.h"
#include "userinput.h"
#include "workspacedriver.h"

namespace {

constexpr int kRuns = 15;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString fixture = dir.filePath(QStringLiteral("large_quote.json"));
  const QString number = QStringLiteral("0000009001");
  if (!benchload::WriteLargeQuote(fixture, number, 10, 40, 500)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(fixture));
    return 1;
  }
  testsupport::ServerFixture server;
  if (!server.Start({fixture})) {
    std::fprintf(stderr, "%s\n", qPrintable(server.Error()));
    return 1;
  }
  testsupport::MessageLog messages;
  TfrmMargemFinal* form = testsupport::OpenWorkspace();
  if (form == nullptr) {
    std::fprintf(stderr, "workspace did not open: %s\n", qPrintable(messages.Last()));
    return 1;
  }

  std::vector<double> loads, calls;
  for (int run = 0; run < kRuns; ++run) {
    QElapsedTimer call;
    call.start();
    margem::CheckResultServ(form->netMargem->Call(QStringLiteral("GetMargem"),
                                                  {QStringLiteral("0001"), number}),
                            true, 0);
    calls.push_back(call.nsecsElapsed() / 1e6);

    testsupport::MoveFocus(form->edtNrOrcamento);
    form->edtNrOrcamento->setText(number);
    QElapsedTimer load;
    load.start();
    testsupport::MoveFocus(form->dbgGrupo(1));
    for (int n = 1; n <= 10; ++n) form->tshOpcao(n)->grab();
    loads.push_back(load.nsecsElapsed() / 1e6);
    if (!messages.Messages().isEmpty() || form->cdsMargem->RecordCount() != 10) {
      std::fprintf(stderr, "load failed: %s\n", qPrintable(messages.Last()));
      return 1;
    }
  }
  std::printf("load_quote_ms: %.1f ms\n", Median(loads));
  std::printf("getmargem_call_ms: %.1f ms\n", Median(calls));
  std::printf("load_rows: %lld rows\n",
              static_cast<long long>(form->cdsItemOrca->RecordCount() +
                                     form->cdsOrcamento->RecordCount()));
  return 0;
}
