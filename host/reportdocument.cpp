// SPDX-License-Identifier: MIT
#include "reportdocument.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cmath>

namespace margem {

QFont ReportFont(double points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setPixelSize(static_cast<int>(std::lround(points * 10.0)));
  font.setBold(bold);
  return font;
}

bool RenderReport(const TReportDocument& document, QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->setFullPage(true);

  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double sx = device.logicalDpiX() / 720.0;
  const double sy = device.logicalDpiY() / 720.0;
  for (int page = 0; page < document.PageCount(); ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return false;
    }
    painter.save();
    painter.scale(sx, sy);
    document.PaintPage(painter, page);
    painter.restore();
  }
  return painter.end();
}

}  // namespace margem
