// SPDX-License-Identifier: MIT
#include "forms/padrgraf.h"

#include <QVBoxLayout>

namespace margem {

TfrmPadrGraf::TfrmPadrGraf(QWidget* parent) : TForm(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  dchPadrao = new QChartView(new QChart, this);
  dchPadrao->setObjectName(QStringLiteral("dchPadrao"));
  dchPadrao->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(dchPadrao);
  resize(612, 488);
}

void TfrmPadrGraf::SetTitleLines(const QStringList& lines) {
  m_titleLines = lines;
  QStringList shown;
  for (const QString& line : lines) {
    // Every blank that follows another becomes a no-break space, which rich text keeps.
    QString html = line.toHtmlEscaped();
    for (qsizetype i = 1; i < html.size(); ++i) {
      if (html[i] == u' ' && (html[i - 1] == u' ' || html[i - 1] == QChar(0xA0)))
        html[i] = QChar(0xA0);
    }
    shown << html;
  }
  Chart()->setTitle(shown.join(QStringLiteral("<br>")));
}

}  // namespace margem
