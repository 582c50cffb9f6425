// SPDX-License-Identifier: MIT
// The three ways a laid-out report leaves the screen: Qt's print preview, a printer chosen in the
// print dialog, and a PDF file. Each paints the same pages (RenderReport).
#pragma once

#include <QString>

#include "hostexport.h"
#include "reportdocument.h"

class QWidget;

namespace margem {

// Shows the report in the print preview, modal over parent; the preview can print it too.
MARGEM_HOST_EXPORT void PreviewReport(const TReportDocument& document, const QString& title,
                                      QWidget* parent);

// Asks for a printer and prints. Returns false when the user cancelled, or when the printer
// failed, after saying so in a message ("Não foi possível imprimir …").
MARGEM_HOST_EXPORT bool PrintReport(const TReportDocument& document, const QString& title,
                                    QWidget* parent);

// Writes the report as a PDF file at path (A4 portrait). Returns false when the file cannot be
// written.
MARGEM_HOST_EXPORT bool SaveReportPdf(const TReportDocument& document, const QString& title,
                                      const QString& path);

}  // namespace margem
