// SPDX-License-Identifier: MIT
// A printable report laid out once and painted page by page on any paged device: the print
// preview, a printer or a PDF file all receive the same drawing.
//
// Pages are A4 portrait. A document paints in report units of a tenth of a typographic point
// (1/720 inch), with the origin at the top-left corner of the sheet; RenderReport maps those units
// onto the device's resolution. Fonts used by a document must be sized in pixels of that unit
// (ReportFont), so that text measures the same on every device.
#pragma once

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include "hostexport.h"

namespace margem {

// A4 in report units (210 mm x 297 mm).
inline constexpr double kReportPageWidth = 5952.76;
inline constexpr double kReportPageHeight = 8418.90;

// Millimetres in report units.
constexpr double ReportMm(double mm) { return mm * 7200.0 / 254.0; }

// The report face at a size in points, bold or not, sized in report units.
MARGEM_HOST_EXPORT QFont ReportFont(double points, bool bold = false);

class MARGEM_HOST_EXPORT TReportDocument {
 public:
  virtual ~TReportDocument() = default;
  virtual int PageCount() const = 0;
  // Paints page `index` (0-based) in report units on a painter already mapped to the sheet.
  virtual void PaintPage(QPainter& painter, int index) const = 0;
};

// Paints every page of the document on the device, A4 portrait, one sheet per page. A printer is
// switched to full-page mode so that report units count from the corner of the sheet. Returns
// false when the device cannot be painted on (a file that cannot be written, a printer error).
MARGEM_HOST_EXPORT bool RenderReport(const TReportDocument& document, QPagedPaintDevice& device);

}  // namespace margem
