// SPDX-License-Identifier: MIT
#include "tfrmdadograf_charttools.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "forms/padrgraf.h"
#include "forms/toolpanel.h"
#include "guard.h"
#include "mensErro.h"

void AddChartTools(margem::TfrmPadrGraf& screen) {
  QFrame* panel = margem::MakeToolPanel(QStringLiteral("panGrafico"), &screen);
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(4, 2, 4, 2);
  margem::TButtonFlat* save = margem::MakeToolButton(
      QStringLiteral("sbtSalvarImagem"), QStringLiteral("Salvar imagem"),
      QStringLiteral("Salvar o gráfico como imagem PNG"), QStringLiteral("document-save"),
      QStyle::SP_DialogSaveButton, panel);
  margem::TButtonFlat* print = margem::MakeToolButton(
      QStringLiteral("sbtImprimir"), QStringLiteral("Imprimir"),
      QStringLiteral("Imprimir o gráfico"), QStringLiteral("document-print"),
      QStyle::SP_FileIcon, panel);
  for (margem::TButtonFlat* button : {save, print}) {
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  if (auto* layout = qobject_cast<QVBoxLayout*>(screen.layout())) layout->insertWidget(0, panel);

  QObject::connect(save, &QToolButton::clicked, &screen, [&screen] {
    margem::Guarded(&screen, [&screen] { AskAndSaveChartImage(screen); });
  });
  QObject::connect(print, &QToolButton::clicked, &screen, [&screen] {
    margem::Guarded(&screen, [&screen] { PrintChart(screen); });
  });
}

bool SaveChartImage(const margem::TfrmPadrGraf& screen, const QString& path) {
  return screen.dchPadrao->grab().save(path, "PNG");
}

void AskAndSaveChartImage(margem::TfrmPadrGraf& screen) {
  QString path = QFileDialog::getSaveFileName(&screen, QStringLiteral("Salvar imagem"),
                                              QStringLiteral("grafico.png"),
                                              QStringLiteral("Imagem PNG (*.png)"));
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
  if (!SaveChartImage(screen, path)) {
    margem::MensErro(QStringLiteral("Não foi possível gravar a imagem em \"%1\". Verifique a pasta "
                                    "escolhida e tente novamente.")
                         .arg(path));
  }
}

void PrintChart(margem::TfrmPadrGraf& screen) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, &screen);
  dialog.setWindowTitle(QStringLiteral("Imprimir gráfico"));
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    margem::MensErro(QStringLiteral("Não foi possível iniciar a impressão. Verifique a impressora "
                                    "escolhida e tente novamente."));
  }
  QChartView* view = screen.dchPadrao;
  // The painter's origin is the top left corner of the printable area.
  const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  view->render(&painter, page, view->viewport()->rect(), Qt::KeepAspectRatio);
  painter.end();
}
