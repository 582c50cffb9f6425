// SPDX-License-Identifier: MIT
#include "reportoutput.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "mensErro.h"
#include "previewzoom.h"

namespace margem {

void PreviewReport(const TReportDocument& document, const QString& title, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(title);
  UseBrazilianZoom(preview);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&document](QPrinter* target) { RenderReport(document, *target); });
  preview.exec();
}

bool PrintReport(const TReportDocument& document, const QString& title, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (RenderReport(document, printer)) return true;
  MensErro(QStringLiteral("Não foi possível imprimir o relatório. Verifique a impressora escolhida "
                          "e tente novamente."),
           false);
  return false;
}

bool SaveReportPdf(const TReportDocument& document, const QString& title, const QString& path) {
  {
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) return false;
  }
  QPdfWriter writer(path);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Margem Final"));
  writer.setResolution(720);
  return RenderReport(document, writer);
}

}  // namespace margem
