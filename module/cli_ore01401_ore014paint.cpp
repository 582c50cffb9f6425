// SPDX-License-Identifier: MIT
// The painters of the pieces of report ORE014.
#include <QFontMetricsF>
#include <QStringList>

#include "cli_ore01401_ore014layout.h"
#include "ptbr.h"

namespace Cli_ore01401::ore014 {

namespace {

using margem::FormatNumber;
using margem::ReportFont;

const QColor kInk(0x1d, 0x23, 0x2b);
const QColor kMuted(0x5f, 0x6b, 0x78);
const QColor kAccent(0x1f, 0x4e, 0x79);
const QColor kTableHead(0xdc, 0xe6, 0xf1);
const QColor kStripe(0xf4, 0xf7, 0xfb);
const QColor kBoxFill(0xf2, 0xf4, 0xf7);
const QColor kLoss(0xb0, 0x00, 0x20);

struct Column {
  QString title;
  double width;
};

// The scenario table: caption column, then six figures right-aligned.
const std::array<Column, 7>& Columns() {
  static const std::array<Column, 7> columns{{{QStringLiteral("Cenário"), 900},
                                              {QStringLiteral("Valor Total"), 760},
                                              {QStringLiteral("Vr. por Pessoa"), 700},
                                              {QStringLiteral("Valor Lucro"), 760},
                                              {QStringLiteral("% Lucro"), 560},
                                              {QStringLiteral("Lucro Diferenciado"), 860},
                                              {QStringLiteral("% Lucro Dif."), kWidth - 4540}}};
  return columns;
}

void DrawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& color, Qt::Alignment alignment) {
  painter.setFont(font);
  painter.setPen(color);
  const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, rect.width());
  painter.drawText(rect, static_cast<int>(alignment | Qt::TextSingleLine), shown);
}

QString OrDash(const QString& text) { return text.isEmpty() ? QStringLiteral("—") : text; }

void DrawLabelled(QPainter& painter, double x, double y, double labelWidth, double width,
                  const QString& label, const QString& value) {
  DrawText(painter, QRectF(x, y, labelWidth, 180), label, ReportFont(8, true), kMuted,
           Qt::AlignLeft | Qt::AlignVCenter);
  DrawText(painter, QRectF(x + labelWidth, y, width - labelWidth, 180), OrDash(value),
           ReportFont(9.5), kInk, Qt::AlignLeft | Qt::AlignVCenter);
}

QString Percent(double value) { return FormatNumber(value) + QStringLiteral(" %"); }

}  // namespace

double OptionBlockHeight(const Ore014Option& option) {
  return kBandHeight + kTableHeaderHeight + kRowHeight * option.scenarios.size();
}

double ContentTop(int page) {
  const double below = kTop + kHeaderHeight + kSectionGap;
  return page == 0 ? below + kQuoteBoxHeight + kLegendHeight : below + kContinuationHeight;
}

void PaintPageHeader(QPainter& painter, const Ore014Data& data) {
  DrawText(painter, QRectF(kLeft, kTop, kWidth * 0.7, 160), data.companyLine, ReportFont(9), kMuted,
           Qt::AlignLeft | Qt::AlignVCenter);
  DrawText(painter, QRectF(kLeft + kWidth * 0.7, kTop, kWidth * 0.3, 160),
           QStringLiteral("Relatório ORE014"), ReportFont(8), kMuted,
           Qt::AlignRight | Qt::AlignVCenter);
  DrawText(painter, QRectF(kLeft, kTop + 160, kWidth, 360), QStringLiteral("Margem Final"),
           ReportFont(18, true), kAccent, Qt::AlignLeft | Qt::AlignVCenter);
  painter.fillRect(QRectF(kLeft, kTop + 560, kWidth, 14), kAccent);
}

// Two columns: the long texts (client, event, service, hall) on the wide left, the key and the
// date and guests on the right.
void PaintQuoteBox(QPainter& painter, const Ore014Header& header, double top) {
  const QRectF box(kLeft, top, kWidth, kQuoteBoxHeight);
  painter.fillRect(box, kBoxFill);
  if (!header.found) {
    DrawText(painter, box, QStringLiteral("Nenhum orçamento carregado."), ReportFont(10), kMuted,
             Qt::AlignCenter);
    return;
  }
  const double pad = 120;
  const double leftWidth = (kWidth - 3 * pad) * 0.6;
  const double rightWidth = (kWidth - 3 * pad) - leftWidth;
  const double leftX = kLeft + pad;
  const double rightX = leftX + leftWidth + pad;
  const QString guests = header.guests > 0 ? FormatNumber(header.guests, 0) : QString();
  const QString event = header.event.isValid() ? margem::FormatDateTime(header.event) : QString();
  const QStringList leftLabels{QStringLiteral("Cliente"), QStringLiteral("Evento"),
                               QStringLiteral("Serviço"), QStringLiteral("Local")};
  const QStringList leftValues{header.client, header.eventType, header.serviceType, header.hall};
  const QStringList rightLabels{QStringLiteral("Orçamento"), QStringLiteral("Filial"),
                                QStringLiteral("Data/Hora"), QStringLiteral("Convidados")};
  const QStringList rightValues{header.number, header.branch, event, guests};
  for (int i = 0; i < 4; ++i) {
    const double y = top + 80 + i * 150;
    DrawLabelled(painter, leftX, y, 650, leftWidth, leftLabels[i], leftValues[i]);
    DrawLabelled(painter, rightX, y, 750, rightWidth, rightLabels[i], rightValues[i]);
  }
}

void PaintLegend(QPainter& painter, double top) {
  painter.setFont(ReportFont(7.5));
  painter.setPen(kMuted);
  painter.drawText(
      QRectF(kLeft, top + 50, kWidth, kLegendHeight - 50),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
      QStringLiteral("Valor Atual: itens menos o desconto da opção · Valor 02 a 05: cenários de "
                     "preço no momento da impressão · Lucro Diferenciado: com o frete distribuído "
                     "entre os grupos que o recebem · Percentuais sobre o valor total do "
                     "cenário."));
}

void PaintContinuation(QPainter& painter, const Ore014Header& header, double top) {
  const QString line = header.found ? QStringLiteral("Orçamento %1 · %2 (continuação)")
                                          .arg(header.number, OrDash(header.client))
                                    : QStringLiteral("(continuação)");
  DrawText(painter, QRectF(kLeft, top, kWidth, kContinuationHeight), line, ReportFont(9.5), kMuted,
           Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintOptionBlock(QPainter& painter, const Ore014Option& option, double top) {
  const QRectF band(kLeft, top, kWidth, kBandHeight);
  painter.fillRect(band, kAccent);
  const QString number = option.number.trimmed();
  DrawText(painter, band.adjusted(100, 0, -100, 0),
           QStringLiteral("Opção %1").arg(number.isEmpty() ? QStringLiteral("—") : number),
           ReportFont(11, true), Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
  DrawText(painter, band.adjusted(100, 0, -100, 0),
           QStringLiteral("Valor dos itens %1    Desconto %2")
               .arg(FormatNumber(option.itemTotal), FormatNumber(option.discount)),
           ReportFont(8.5), Qt::white, Qt::AlignRight | Qt::AlignVCenter);

  double y = top + kBandHeight;
  painter.fillRect(QRectF(kLeft, y, kWidth, kTableHeaderHeight), kTableHead);
  painter.setPen(kInk);
  double x = kLeft;
  for (size_t c = 0; c < Columns().size(); ++c) {
    const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
    painter.setFont(ReportFont(7.5, true));
    painter.drawText(QRectF(x + 60, y, Columns()[c].width - 120, kTableHeaderHeight),
                     static_cast<int>(align | Qt::AlignVCenter | Qt::TextWordWrap),
                     Columns()[c].title);
    x += Columns()[c].width;
  }
  y += kTableHeaderHeight;

  for (int r = 0; r < option.scenarios.size(); ++r) {
    const Ore014Scenario& s = option.scenarios[r];
    if (r % 2 == 1) painter.fillRect(QRectF(kLeft, y, kWidth, kRowHeight), kStripe);
    const double profitPct = ShareOfTotal(s.profit, s.total);
    const double diffPct = ShareOfTotal(s.diffProfit, s.total);
    const std::array<QString, 7> cells{ScenarioCaption(s.scenario),
                                       FormatNumber(s.total),
                                       FormatNumber(s.perGuest),
                                       FormatNumber(s.profit),
                                       Percent(profitPct),
                                       FormatNumber(s.diffProfit),
                                       Percent(diffPct)};
    const std::array<double, 7> signs{0, 0, 0, s.profit, profitPct, s.diffProfit, diffPct};
    const QFont font = ReportFont(8.5, s.scenario == 1);
    x = kLeft;
    for (size_t c = 0; c < cells.size(); ++c) {
      const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
      DrawText(painter, QRectF(x + 60, y, Columns()[c].width - 120, kRowHeight), cells[c], font,
               signs[c] < 0 ? kLoss : kInk, align | Qt::AlignVCenter);
      x += Columns()[c].width;
    }
    y += kRowHeight;
  }
  painter.fillRect(QRectF(kLeft, y - 6, kWidth, 6), kTableHead);
}

void PaintNoOptions(QPainter& painter, double top) {
  DrawText(painter, QRectF(kLeft, top, kWidth, 300),
           QStringLiteral("Não há opções a imprimir: nenhum orçamento está carregado na Margem "
                          "Final."),
           ReportFont(10), kMuted, Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintFooter(QPainter& painter, const Ore014Data& data, int page, int pageCount) {
  painter.fillRect(QRectF(kLeft, kFooterTop, kWidth, 6), kMuted);
  const QRectF line(kLeft, kFooterTop + 40, kWidth, 160);
  DrawText(painter, line,
           QStringLiteral("Impresso em %1").arg(margem::FormatDateTime(data.printedAt)),
           ReportFont(8), kMuted, Qt::AlignLeft | Qt::AlignVCenter);
  DrawText(painter, line, QStringLiteral("Margem Final · ORE014"), ReportFont(8), kMuted,
           Qt::AlignHCenter | Qt::AlignVCenter);
  DrawText(painter, line, QStringLiteral("Página %1 de %2").arg(page + 1).arg(pageCount),
           ReportFont(8), kMuted, Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace Cli_ore01401::ore014
