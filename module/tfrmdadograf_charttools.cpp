// SPDX-License-Identifier: MIT
#include "tfrmdadograf_charttools.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "cli_ore01400.h"
#include "forms/padrgraf.h"
#include "forms/toolpanel.h"
#include "guard.h"
#include "mensErro.h"
#include "savefiledialog.h"
#include "statusmessage.h"
#include "tfrmmargemfinal.h"

namespace {

// The number of the quote shown in "Margem Final"; empty when none is.
QString ShownQuoteNumber() {
  const TfrmMargemFinal* workspace = Cli_ore01400::frmMargemFinal;
  const margem::TClientDataSet* quote = workspace ? workspace->cdsVdOrca : nullptr;
  if (!quote || !quote->Active() || quote->IsEmpty()) return {};
  return quote->FieldByName(QStringLiteral("NRORCAEVENTO"))->AsString();
}

// "Orçamento 0000000123 — Cliente: NAME" for the quote shown in "Margem Final"; empty when none.
QString ShownQuote() {
  const QString number = ShownQuoteNumber();
  if (number.isEmpty()) return {};
  const QString client =
      Cli_ore01400::frmMargemFinal->cdsVdOrca->FieldByName(QStringLiteral("NOMECLIENTE"))
          ->AsString();
  return QStringLiteral("Orçamento %1 — Cliente: %2").arg(number, client);
}

}  // namespace

void AddChartTools(margem::TfrmPadrGraf& screen, const QString& imageName) {
  QFrame* panel = margem::MakeToolPanel(QStringLiteral("panGrafico"), &screen);
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(4, 2, 4, 2);
  margem::TButtonFlat* save =
      margem::MakeToolButton(QStringLiteral("sbtSalvarImagem"), QStringLiteral("Salvar imagem"),
                             QStringLiteral("Salvar o gráfico como imagem PNG"),
                             QStringLiteral("document-save"), QStyle::SP_DialogSaveButton, panel);
  margem::TButtonFlat* print =
      margem::MakeToolButton(QStringLiteral("sbtImprimir"), QStringLiteral("Imprimir"),
                             QStringLiteral("Imprimir o gráfico"), QStringLiteral("document-print"),
                             QStyle::SP_FileIcon, panel);
  for (margem::TButtonFlat* button : {save, print}) {
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  if (auto* layout = qobject_cast<QVBoxLayout*>(screen.layout())) layout->insertWidget(0, panel);

  QObject::connect(save, &QToolButton::clicked, &screen, [&screen, imageName] {
    margem::Guarded(&screen, [&screen, imageName] { AskAndSaveChartImage(screen, imageName); });
  });
  QObject::connect(print, &QToolButton::clicked, &screen,
                   [&screen] { margem::Guarded(&screen, [&screen] { PrintChart(screen); }); });
}

bool SaveChartImage(const margem::TfrmPadrGraf& screen, const QString& path) {
  QStringList heading{screen.Caption};
  const QString quote = ShownQuote();
  if (!quote.isEmpty()) heading << quote;
  QFont caption = screen.font();
  caption.setPointSizeF(caption.pointSizeF() * 1.4);
  caption.setBold(true);
  const QFont plain = screen.font();
  const int margin = 12;
  const int headingHeight = margin + QFontMetrics(caption).height() +
                            (heading.size() > 1 ? QFontMetrics(plain).height() + 4 : 0) + margin;

  QChartView* view = screen.dchPadrao;
  const QSize chartSize = view->viewport()->size();
  QImage image(QSize(chartSize.width(), headingHeight + chartSize.height()) * 2,
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);
  int top = margin;
  for (int i = 0; i < heading.size(); ++i) {
    painter.setFont(i == 0 ? caption : plain);
    const int height = painter.fontMetrics().height();
    painter.drawText(QRect(margin, top, chartSize.width() - 2 * margin, height),
                     Qt::AlignLeft | Qt::AlignVCenter, heading[i]);
    top += height + 4;
  }
  view->render(&painter, QRectF(0, headingHeight, chartSize.width(), chartSize.height()),
               view->viewport()->rect());
  painter.end();
  return image.save(path, "PNG");
}

void AskAndSaveChartImage(margem::TfrmPadrGraf& screen, const QString& imageName) {
  const QString number = ShownQuoteNumber();
  const QString suggested =
      QStringLiteral("margem-%1%2.png")
          .arg(imageName, number.isEmpty() ? QString() : QStringLiteral("-") + number);
  const QString path =
      margem::AskSaveFileName(&screen, QStringLiteral("imagem"), QStringLiteral("Salvar imagem"),
                              suggested, {QStringLiteral("Imagem PNG (*.png)")});
  if (path.isEmpty()) return;
  if (!SaveChartImage(screen, path)) {
    margem::MensErro(QStringLiteral("Não foi possível gravar a imagem em \"%1\". Verifique a pasta "
                                    "escolhida e tente novamente.")
                         .arg(path));
  }
  margem::ShowFileSaved(path);
}

void PrintChart(margem::TfrmPadrGraf& screen) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, &screen);
  dialog.setWindowTitle(QStringLiteral("Imprimir gráfico"));
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    margem::MensErro(
        QStringLiteral("Não foi possível iniciar a impressão. Verifique a impressora "
                       "escolhida e tente novamente."));
  }
  QChartView* view = screen.dchPadrao;
  // The painter's origin is the top left corner of the printable area.
  const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  view->render(&painter, page, view->viewport()->rect(), Qt::KeepAspectRatio);
  painter.end();
}
