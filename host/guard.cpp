// SPDX-License-Identifier: MIT
#include "guard.h"

#include "messagerecorder.h"
#include "silentabort.h"

namespace margem {

void ReportException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const SilentAbort&) {
  } catch (const std::exception& e) {
    ShowErrorMessage(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowErrorMessage(QStringLiteral("Ocorreu um erro inesperado. A operação foi cancelada."));
  }
}

bool Guarded(QWidget*, const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (...) {
    try {
      ReportException(std::current_exception());
    } catch (...) {
      // Showing the message failed too; the handler's failure must still stop here.
    }
  }
  return false;
}

}  // namespace margem
